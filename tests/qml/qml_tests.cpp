// Runs the tst_*.qml files of this folder against fake workers published under the names
// the window uses, with the front end's resources compiled in.
#include "app/qml_types.h"
#include "fakes/fake_worker.h"

#include <QApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class QmlTestSetup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        QQmlContext* context = engine->rootContext();
        context->setContextProperty(QStringLiteral("talvorin_worker"), &m_worker);
        context->setContextProperty(QStringLiteral("background_listen"), &m_listener);
        context->setContextProperty(QStringLiteral("keyboardHook"), &m_hook);
        context->setContextProperty(QStringLiteral("launchOptions"), &m_options);
    }

private:
    FakeWorker m_worker;
    FakeWorker m_listener;
    FakeWorker m_hook;
    FakeLaunchOptions m_options;
};

int main(int argc, char** argv)
{
    // The tray icon of the window is a widget: the application must be a QApplication.
    QApplication app(argc, argv);
    registerQmlTypes();
    QTEST_SET_MAIN_SOURCE_PATH
    QmlTestSetup setup;
    return quick_test_main_with_setup(argc, argv, "qml_tests", QUICK_TEST_SOURCE_DIR, &setup);
}

#include "qml_tests.moc"
