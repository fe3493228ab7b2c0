// Shows the window against answers read from a file instead of the workers, to look at pages
// before the device back ends exist. Not part of the product.
//   qml_preview [--page NAME] [--eval JS (run after 1.2 s)] [--delay MS (default 2500)] --screenshot FILE
#include "app/qml_types.h"
#include "fakes/fake_worker.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickWindow>
#include <QTimer>

namespace {

QVariantMap loadAnswers()
{
    QFile file(QStringLiteral(PREVIEW_ANSWERS));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", PREVIEW_ANSWERS);
    return QJsonDocument::fromJson(file.readAll()).toVariant().toMap();
}

QString argumentAfter(const QStringList& arguments, const QString& name)
{
    const int at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

// Answers the way the workers would, enough for every page to draw something.
void answerWorker(FakeWorker& worker, const QVariantMap& answers, const QVariantMap& command)
{
    const int control = command.value(QStringLiteral("Control")).toInt();
    QVariantMap answer;
    if (control == 0) {
        answer = answers.value(QStringLiteral("discovery")).toMap();
    } else if (control == 11) {
        answer = answers.value(QStringLiteral("server")).toMap();
    } else if (control == 1) {
        answer = command;
        answer.insert(QStringLiteral("RESULTS"), 1);
        if (command.value(QStringLiteral("selectedMode")).toInt() == 15)
            answer.insert(QStringLiteral("GPU_favoriteList"), answers.value(QStringLiteral("favorites")));
    } else if (control == 2) {
        // The whole mouse under every code, so that any tab has something to show.
        answer = answers.value(QStringLiteral("mouse")).toMap();
        answer.insert(QStringLiteral("runFunction"), command.value(QStringLiteral("runFunction")));
    } else if (control == 3) {
        answer = answers.value(QStringLiteral("headset")).toMap();
        answer.insert(QStringLiteral("runFunction"), command.value(QStringLiteral("runFunction")));
        answer.insert(QStringLiteral("RESULTS"), 1);
    }
    if (!answer.isEmpty())
        QTimer::singleShot(150, &worker, [&worker, answer] { worker.answer(answer); });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    registerQmlTypes();
    const QStringList arguments = app.arguments();
    const QString shot = argumentAfter(arguments, QStringLiteral("--screenshot"));
    const QString script = argumentAfter(arguments, QStringLiteral("--eval"));
    const QVariantMap answers = loadAnswers();
    const QString delay = argumentAfter(arguments, QStringLiteral("--delay"));
    const int shotDelayMs = delay.isEmpty() ? 2500 : delay.toInt();

    FakeWorker worker, listener, hook;
    FakeLaunchOptions options;
    options.setProperty("startPage", argumentAfter(arguments, QStringLiteral("--page")));
    options.setProperty("screenshotMode", true);
    QObject::connect(&worker, &FakeWorker::received, [&](const QVariantMap& command) {
        answerWorker(worker, answers, command);
    });
    QObject::connect(&listener, &FakeWorker::received, [&](const QVariantMap& command) {
        if (command.value(QStringLiteral("Control")).toInt() == 1)
            listener.answer(answers.value(QStringLiteral("metrics")).toMap());
    });

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("talvorin_worker"), &worker);
    engine.rootContext()->setContextProperty(QStringLiteral("background_listen"), &listener);
    engine.rootContext()->setContextProperty(QStringLiteral("keyboardHook"), &hook);
    engine.rootContext()->setContextProperty(QStringLiteral("launchOptions"), &options);
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().first());

    QTimer::singleShot(1200, window, [&] {
        if (!script.isEmpty()) {
            QQmlExpression expression(qmlContext(window), window, script);
            expression.evaluate();
            if (expression.hasError())
                qWarning() << expression.error().toString();
        }
    });
    QTimer::singleShot(shotDelayMs, window, [&] {
        if (!shot.isEmpty() && !window->grabWindow().save(shot))
            qWarning() << "cannot write" << shot;
        app.quit();
    });
    return app.exec();
}
