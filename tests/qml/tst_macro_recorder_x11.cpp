// The macro dialog on a real X server with the real keyboard hook: keys typed through XTEST
// while a recording runs go into the recording only, never into the macro's name, even when
// the name field had the keyboard focus when the recording started.
#include "app/qml_types.h"
#include "listeners/keyboard_hook.h"
#include "platform/keyboard_hook.h"
#include "reporting_hook.h"
#include "x11_test_client.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest>
#include <atomic>
#include <memory>

namespace {

// A window holding only the macro dialog, as the mouse page holds it.
const char* const kHost = R"(
import QtQuick 2.9
import QtQuick.Controls 2.3
ApplicationWindow {
    width: 900
    height: 700
    visible: true
    property alias editor: macroEditor
    MacroEditor { id: macroEditor; objectName: "macroEditor" }
}
)";

void typeText(X11TestClient& keyboard, const char* text)
{
    for (const char* c = text; *c; ++c) {
        const char name[2] = {*c, 0};
        keyboard.tapKey(name);
    }
}

} // namespace

class MacroRecorderX11Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void recordedKeysStayOutOfTheName();
    void cleanupTestCase();

private:
    std::unique_ptr<X11TestClient> m_keyboard;
    std::atomic<int> m_installs{0};
    std::unique_ptr<KEYBOARD_HOOK> m_hook;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_window;
};

void MacroRecorderX11Test::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QSKIP("no X display: run under xvfb-run (./test.sh does)");
    // The server may still be resetting after the previous test program left.
    QElapsedTimer timer;
    timer.start();
    do {
        m_keyboard = std::make_unique<X11TestClient>();
    } while (!m_keyboard->isOpen() && timer.elapsed() < 3000 && (QTest::qWait(50), true));
    QVERIFY2(m_keyboard->isOpen(), "DISPLAY is set but the X server cannot be opened");

    registerQmlTypes();
    m_hook = std::make_unique<KEYBOARD_HOOK>(
        [this] { return std::make_unique<ReportingHook>(platform::createKeyboardHook(), m_installs); });
    m_engine = std::make_unique<QQmlEngine>();
    m_engine->rootContext()->setContextProperty(QStringLiteral("keyboardHook"), m_hook.get());
    QQmlComponent component(m_engine.get());
    component.setData(kHost, QUrl(QStringLiteral("qrc:/components/mouse/MacroRecorderHost.qml")));
    m_window.reset(component.create());
    QVERIFY2(m_window, qPrintable(component.errorString()));
    auto* window = qobject_cast<QQuickWindow*>(m_window.get());
    QVERIFY(window);
    window->requestActivate();
    QVERIFY(QTest::qWaitForWindowActive(window, 5000));
}

void MacroRecorderX11Test::cleanupTestCase()
{
    if (m_hook)
        m_hook->stopThread();
    m_window.reset();
    m_engine.reset();
    m_keyboard.reset();
}

void MacroRecorderX11Test::recordedKeysStayOutOfTheName()
{
    QObject* editor = m_window->property("editor").value<QObject*>();
    QVERIFY(editor);
    QVERIFY(QMetaObject::invokeMethod(editor, "openFor", Q_ARG(QVariant, 2)));
    auto* name = editor->findChild<QQuickItem*>(QStringLiteral("macroNameField"));
    QVERIFY(name);
    QTRY_VERIFY(editor->property("opened").toBool());
    name->forceActiveFocus();
    QTRY_VERIFY(name->hasActiveFocus());

    // The name is typed on the keyboard, as a user does.
    typeText(*m_keyboard, "greet");
    QTRY_COMPARE(name->property("text").toString(), QStringLiteral("greet"));

    const int before = m_installs;
    QVERIFY(QMetaObject::invokeMethod(editor, "startRecording"));
    QTRY_VERIFY_WITH_TIMEOUT(m_installs > before, 5000);
    typeText(*m_keyboard, "hi");
    QTRY_COMPARE(editor->property("actions").toList().size(), 4);
    m_keyboard->tapKey("F7");
    QTRY_VERIFY(!editor->property("recording").toBool());

    QTest::qWait(100); // any key event still on its way to the window
    QCOMPARE(name->property("text").toString(), QStringLiteral("greet"));
    const QVariantList actions = editor->property("actions").toList();
    QStringList keys;
    for (const QVariant& action : actions)
        keys << action.toMap().value(QStringLiteral("key")).toString() + QLatin1Char(' ')
                    + action.toMap().value(QStringLiteral("actionText")).toString();
    QCOMPARE(keys, (QStringList{"H Hold", "H Release", "I Hold", "I Release"}));

    // Once the recording has ended the field takes typing again.
    name->forceActiveFocus();
    typeText(*m_keyboard, "s");
    QTRY_COMPARE(name->property("text").toString(), QStringLiteral("greets"));
}

QTEST_MAIN(MacroRecorderX11Test)
#include "tst_macro_recorder_x11.moc"
