#include "app/application.h"

#include "app/control_protocol.h"
#include "app/control_socket_server.h"
#include "app/launch_options.h"
#include "app/qml_types.h"
#include "app/screenshot.h"
#include "app/single_instance.h"
#include "app/tray/icon_url.h"
#include "core/data_store.h"
#include "core/device_setup.h"
#include "core/talvorin.h"
#include "listeners/background_listening.h"
#include "listeners/keyboard_hook.h"
#include "platform/graphics.h"
#include "platform/termination_signals.h"
#include "platform/user_id.h"
#include "platform/window_frame.h"
#include "util/app_data.h"
#include "util/files.h"
#include "util/store_reading.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>

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

// The stored "show the window at start" choice, read before the QML so that the window can
// appear at once, with the intro playing while the devices are discovered. The worker reads
// the same file for the discovery answer.
bool storedChoiceShowsWindow(const QString& dataFolder)
{
    const StoreFile file = readStoreFile(DataStore(dataFolder).showWindowFile());
    return file.read() && file.bytes.trimmed() == "1";
}

// Command lines started from a terminal reach this instance through a socket of the user's own.
void listenForCommandLines(ControlSocketServer& server)
{
    QString error;
    const QString path = controlSocketPath(&error);
    if (path.isEmpty())
        qWarning().noquote() << "Control socket not opened:" << error;
    else
        server.listen(path);
}

} // namespace

int runTalvorin(int argc, char* argv[])
{
    // A second start only leaves its note and goes. It does so before the application object,
    // the display connection and the QML engine exist, so that the running instance's window
    // comes up as soon as possible. The name is the one Qt would give the application (the
    // program file's name), so the data folder is the same as with the application object.
    if (argc > 0 && argv[0])
        QCoreApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    const QString dataFolder = appDataFolder();
    ensureDirectory(dataFolder);
    SingleInstanceGuard guard(instanceLockPath(userRuntimeFolder(), platform::currentUserId(), dataFolder));
    const QString handOffPath = dataFolder + QStringLiteral("/talvorin.txt");
    if (!guard.acquire()) {
        requestWindowFromRunningInstance(handOffPath);
        return 0;
    }

    QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);
    chooseSceneGraphBackend();
    QApplication app(argc, argv);
    // Decoding the icon (and loading the plugin for its format) held the window up: the window
    // is asked for first, and the icon set in the event loop's first turn, before its first frame.
    QTimer::singleShot(0, [] {
        QApplication::setWindowIcon(iconFromFile(QStringLiteral(":/icon/BV_LOGO_256.ico")));
    });
    registerQmlTypes();
    QQmlApplicationEngine engine;
    LaunchOptions* options = LaunchOptions::fromArguments(QCoreApplication::arguments(), &app);
    writeTextToFile(handOffPath, QStringLiteral("0"));

    if (storedChoiceShowsWindow(dataFolder))
        options->setShownAtStart();
    const DeviceSetup setup = deviceSetupFromEnvironment();
    TALVORIN worker(setup, dataFolder);
    BACKGROUND_LISTENING listener(setup);
    KEYBOARD_HOOK hook;
    ControlSocketServer controlSocket(worker);
    listenForCommandLines(controlSocket);
    publishWorkers(engine.rootContext(), worker, listener, hook, options);
    return runWindow(app, engine, worker, options);
}
