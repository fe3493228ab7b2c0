// Prints the resident memory of the window at each step of opening the graphics card page and
// running its hardware monitor, with the workers replaced by stand-ins that answer at once.
// Run it where the window can draw (under Xvfb, or with QT_QPA_PLATFORM=offscreen and
// QT_QUICK_BACKEND=software). With --empty-window it shows what an empty window costs instead.
#include "app/qml_types.h"
#include "fakes/fake_worker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>
#include <cstdio>

namespace {

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

void report(const char* step)
{
    std::printf("%-44s %8.1f MB\n", step, residentKilobytes() / 1024.0);
    std::fflush(stdout);
}

QVariantMap loadAnswers()
{
    QFile file(QStringLiteral(PREVIEW_ANSWERS));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).toVariant().toMap();
}


} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    QApplication app(argc, argv);
    registerQmlTypes();
    report("before the window");
    const QVariantMap answers = loadAnswers();

    FakeWorker worker, listener, hook;
    FakeLaunchOptions options;
    const int pageAt = app.arguments().indexOf(QStringLiteral("--page"));
    options.setProperty("startPage", pageAt > 0 ? app.arguments().value(pageAt + 1) : QStringLiteral("gpu"));
    options.setProperty("screenshotMode", true);
    QObject::connect(&worker, &FakeWorker::received, [&](const QVariantMap& command) {
        const int control = command.value(QStringLiteral("Control")).toInt();
        if (control == 0)
            worker.answer(answers.value(QStringLiteral("discovery")).toMap());
        else if (control == 11)
            worker.answer(answers.value(QStringLiteral("server")).toMap());
        else if (control == 1) {
            QVariantMap answer = command;
            answer.insert(QStringLiteral("RESULTS"), 1);
            worker.answer(answer);
        }
    });

    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("talvorin_worker"), &worker);
    engine.rootContext()->setContextProperty(QStringLiteral("background_listen"), &listener);
    engine.rootContext()->setContextProperty(QStringLiteral("keyboardHook"), &hook);
    engine.rootContext()->setContextProperty(QStringLiteral("launchOptions"), &options);
    if (app.arguments().contains(QStringLiteral("--empty-window"))) {
        // What the graphics stack alone costs: an empty window of the same size.
        engine.loadData("import QtQuick 2.9; import QtQuick.Window 2.2; "
                        "Window { width: 1440; height: 810; visible: true; color: \"#070707\" }");
        QTimer::singleShot(1500, &app, [&] {
            report("empty window");
            app.quit();
        });
        return app.exec();
    }
    QElapsedTimer clock;
    clock.start();
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    QObject* root = engine.rootObjects().first();
    std::printf("%-44s %8lld ms\n", "window loaded", static_cast<long long>(clock.elapsed()));

    QTimer::singleShot(1500, &app, [&] { report("graphics card page open"); });
    QTimer::singleShot(1600, &app, [&] {
        QObject* loader = root->findChild<QObject*>(QStringLiteral("pageLoader"));
        QObject* page = loader ? loader->property("item").value<QObject*>() : nullptr;
        if (page)
            QMetaObject::invokeMethod(page, "showTab", Q_ARG(QVariant, 2));
    });
    // One metrics answer every 20 ms stands for a minute of the monitor at its usual pace.
    auto* feed = new QTimer(&app);
    int fed = 0;
    QObject::connect(feed, &QTimer::timeout, &app, [&] {
        QVariantMap metrics = answers.value(QStringLiteral("metrics")).toMap();
        metrics.insert(QStringLiteral("GPU_Usage"), QString::number(fed % 100));
        metrics.insert(QStringLiteral("GPU_Temperature"), QString::number(40 + fed % 40));
        listener.answer(metrics);
        if (++fed == 600) {
            feed->stop();
            report("after 600 hardware monitor updates");
            QMetaObject::invokeMethod(root, "closeDevicePage");
            QTimer::singleShot(500, &app, [&] {
                report("page closed");
                app.quit();
            });
        }
    });
    QTimer::singleShot(1800, feed, [feed] { feed->start(20); });
    return app.exec();
}
