#include "app/application.h"

#include "app/launch_options.h"
#include "app/qml_types.h"
#include "app/screenshot.h"
#include "app/single_instance.h"
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "listeners/background_listening.h"
#include "listeners/keyboard_hook.h"
#include "platform/graphics.h"
#include "platform/termination_signals.h"
#include "platform/window_frame.h"
#include "util/app_data.h"
#include "util/files.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>

namespace {

// Steps from loading the QML to the end of the event loop; the workers already exist.
int runWindow(QApplication& app, QQmlApplicationEngine& engine, TALVORIN& worker, LaunchOptions* options)
{
    engine.load(QUrl(QStringLiteral("qrc:/main.qml")));
    if (engine.rootObjects().isEmpty())
        return -1;
    auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().first());
    if (window)
        platform::styleWindowFrame(window);
    if (window && options->screenshotMode()) {
        auto* taker = new ScreenshotTaker(window, options->screenshotPath(), &app);
        QObject::connect(&worker, &TALVORIN::dataChanged, taker, &ScreenshotTaker::onWorkerAnswer);
    }
    platform::quitOnTerminationSignals(&app);
    worker.commandSlot().set(QStringLiteral("Control"), 0);
    worker.start(QThread::InheritPriority);
    return app.exec();
}

// Qt Quick's software renderer draws these pages the same and is much lighter than OpenGL
// emulated on the CPU; QT_QUICK_BACKEND still decides when it is set.
void chooseSceneGraphBackend()
{
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && !platform::hasHardwareGraphics())
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
}

} // namespace

int runTalvorin(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    chooseSceneGraphBackend();
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/BV_LOGO_256.ico")));
    registerQmlTypes();
    QQmlApplicationEngine engine;
    LaunchOptions* options = LaunchOptions::fromArguments(QCoreApplication::arguments(), &app);

    const QString dataFolder = appDataFolder();
    ensureDirectory(dataFolder);
    SingleInstanceGuard guard(instanceLockPath(userRuntimeFolder(), platform::currentUserId(), dataFolder));
    const QString handOffPath = dataFolder + QStringLiteral("/talvorin.txt");
    if (!guard.acquire()) {
        requestWindowFromRunningInstance(handOffPath);
        return 0;
    }
    writeTextToFile(handOffPath, QStringLiteral("0"));

    const DeviceSetup setup = deviceSetupFromEnvironment();
    TALVORIN worker(setup, dataFolder);
    BACKGROUND_LISTENING listener(setup);
    KEYBOARD_HOOK hook;
    publishWorkers(engine.rootContext(), worker, listener, hook, options);
    return runWindow(app, engine, worker, options);
}
