#include "core/talvorin.h"

#include "bridge/changed_value.h"
#include "bridge/map_reading.h"
#include "core/all_devices_lighting.h"
#include "core/game_linking.h"
#include "util/files.h"
#include "util/logging.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QUrl>

namespace {

// Long enough for any turn that is not running an external program or a download.
constexpr unsigned long kDestructorWaitMs = 3000;
constexpr unsigned long kTurnSleepMs = 100;

} // namespace

TALVORIN::TALVORIN(const DeviceSetup& setup, const QString& dataFolder, QObject* parent)
    : BridgeThread(parent),
      m_store(dataFolder),
      m_gpu(setup),
      m_mouse(setup),
      m_headphone(setup),
      m_games(m_store),
      m_monitor(m_launches),
      m_discovery(m_gpu, m_mouse, m_headphone, m_games, m_updates),
      m_gpuBranch(m_gpu),
      m_mouseBranch(m_mouse, m_games),
      m_headsetBranch(m_headphone),
      m_updateBranch(m_updates),
      m_firmwareBranch(m_updates)
{
}

TALVORIN::~TALVORIN()
{
    requestInterruption();
    qDebug() << "~TALVORIN()";
    m_stopFlag = true;
    m_monitor.stop();
    // Join rather than terminate: a thread killed inside a file write or a library call
    // would leave the file or the library half done. Terminate only a thread that hangs.
    if (!wait(kDestructorWaitMs)) {
        qWarning() << "TALVORIN thread did not stop in time; terminating it";
        terminate();
        wait();
    }
}

void TALVORIN::stopThread()
{
    requestInterruption();
}

void TALVORIN::stopTerminate()
{
    requestStopAndWait(1000);
}

void TALVORIN::setDataList(QVariantMap dataList)
{
    if (replaceIfChanged(m_dataList, dataList))
        emit dataListChanged(m_dataList);
}

void TALVORIN::receiveDataListFromQML(QVariantMap dataList)
{
    m_listCommand.replace(dataList);
}

void TALVORIN::parseAndSaveGameData(QVariantMap dataFromQML)
{
    m_games.parseAndSaveGameData(dataFromQML, m_state);
}

bool TALVORIN::saveStorageToJson(QString filePath)
{
    return m_games.saveStorageToJson(filePath, m_state.linkedGames);
}

bool TALVORIN::loadGameMapFromJson(QString filePath, QMap<QString, GameInfo>& outGameMap)
{
    return m_games.loadGameMapFromJson(filePath, outGameMap);
}

QVariantMap TALVORIN::getDataList() const
{
    return m_dataList;
}

QMap<QString, QVariantList> TALVORIN::check_NewVersionFromServer()
{
    return m_updates.check_NewVersionFromServer();
}

bool TALVORIN::RunBatAsAdmin(QString batFileName)
{
    return AutostartBranch::RunBatAsAdmin(batFileName);
}

int TALVORIN::checkAndResetFSA()
{
    QDir folder(m_store.root());
    if (!folder.exists())
        folder.mkpath(QStringLiteral("."));
    const QString path = m_store.showWindowFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug() << "[FSA] Could not open FSA.txt for reading. File path:" << path;
        return 0;
    }
    return QTextStream(&file).readAll().trimmed() == QLatin1String("1") ? 1 : 0;
}

void TALVORIN::runWithOrWithoutGUI(QString value)
{
    const QString path = m_store.showWindowFile();
    qDebug() << "Run with or without GUI" << path;
    if (writeIntToFile(path, value.trimmed().toInt()))
        qDebug() << "Write showGUI" << value << " to file OK";
    else
        qWarning() << "Write showGUI failed!";
}

void TALVORIN::emitAnswer(const QVariantMap& answer)
{
    emit dataChanged(answer);
}

void TALVORIN::run()
{
    qDebug() << "run() TALVORIN Worker Thread ID: " << QThread::currentThreadId();
    m_stopFlag = false;
    startUp();
    while (runTurn()) {
    }
    // Nobody takes launch events while the loop is not running; a later start() starts the
    // monitor again, so no stale events pile up meanwhile.
    m_monitor.stop();
}

void TALVORIN::startUp()
{
    m_state.installedGames = m_games.scanSteamLibrary();
    m_monitor.start();
    if (readInt(m_command.snapshot(), QStringLiteral("ControlTrayIcon"), 0) == 1) {
        m_command.set(QStringLiteral("ControlTrayIcon"), -1);
        m_answer.insert(QStringLiteral("openGUI"), 1);
        emitAnswer(m_answer);
    }
    m_answer.insert(QStringLiteral("firstStartGUI"), 0);
    if (AutostartBranch::markFirstStart(m_store))
        m_answer.insert(QStringLiteral("firstStartGUI"), 1);
    m_answer.insert(QStringLiteral("firstrStartAppShowGUI"), checkAndResetFSA());
}

bool TALVORIN::runTurn()
{
    if (isInterruptionRequested())
        return false;
    takeLaunchEvent();
    takeCommandLineRequest();
    const CommandSlot::Taken taken = m_command.take();
    WorkerContext ctx{m_command, taken.generation, taken.command, m_answer, m_state, m_store,
                      [this](const QVariantMap& answer) { emitAnswer(answer); }};
    if (!dispatch(readInt(taken.command, QStringLiteral("Control"), 0), ctx))
        return false;
    QThread::msleep(kTurnSleepMs);
    if (m_stopFlag) {
        qDebug() << " Stop() TALVORIN Thread: " << QThread::currentThreadId();
        return false;
    }
    return true;
}

void TALVORIN::takeLaunchEvent()
{
    LaunchEvent event;
    if (!m_launches.tryTake(event))
        return;
    writeStdout(QStringLiteral("    [TALVORIN] window title: %1\n").arg(event.windowTitle));
    writeStdout(QStringLiteral("    [TALVORIN] executable name: %1\n").arg(event.executableName));
    writeStdout(QStringLiteral("    [TALVORIN] executable path: %1\n\n").arg(event.executablePath));
    const std::optional<int> profile =
        profileSwitchFor(m_state.linkedGames, event.executablePath, m_state.currentMouseProfile);
    if (!profile)
        return;
    runProfileSwitch(*profile);
}

void TALVORIN::runProfileSwitch(int profile)
{
    qDebug() << "[TALVORIN] game link: select profile" << profile;
    // The switch runs through the mouse branch as a command of its own. Written into the
    // command slot it would replace whatever QML has placed there and the worker has not yet
    // run (the discovery at start, the server information, the standing window request).
    runPrivateCommand({{QStringLiteral("Control"), 2},
                       {QStringLiteral("profileNo"), profile},
                       {QStringLiteral("runFunction"), 1}},
                      true);
}

QVariantMap TALVORIN::runPrivateCommand(const QVariantMap& command, bool publish)
{
    const int control = readInt(command, QStringLiteral("Control"), -1);
    // Only the device branches: the others belong to the window's own flow.
    if (control < 1 || control > 3)
        return {{QStringLiteral("RESULTS"), -1}};
    CommandSlot privateSlot;
    privateSlot.replace(command);
    const CommandSlot::Taken taken = privateSlot.take();
    WorkerContext ctx{privateSlot, taken.generation, taken.command, m_answer, m_state, m_store,
                      [this, publish](const QVariantMap& answer) {
                          if (publish)
                              emitAnswer(answer);
                      }};
    dispatch(control, ctx);
    return m_answer;
}

DeviceMaps TALVORIN::discoverDevices()
{
    return {m_gpu.get_GPUDevicesInfo(), m_mouse.get_hid_devices_info(), m_headphone.get_Headphone_Devices()};
}

quint64 TALVORIN::queueCommandLine(const CommandLineRequest& request)
{
    return m_commandLines.push(request);
}

void TALVORIN::takeCommandLineRequest()
{
    CommandLineQueue::Entry entry;
    if (!m_commandLines.tryTake(entry))
        return;
    const CommandLineResult result = runCommandLine(entry.request);
    emit commandLineDone(entry.id, result.status, result.output);
}

CommandLineResult TALVORIN::runCommandLine(const CommandLineRequest& request)
{
    qDebug() << "run() TALVORIN for the command line";
    CommandLineServices services;
    services.discover = [this] { return discoverDevices(); };
    services.runCommand = [this](const QVariantMap& command) {
        // Reads made only to decide what to send stay out of the window; the settings change
        // the pages' state as if the page had sent them.
        const bool readOnly = (readInt(command, QStringLiteral("Control")) == 2 && readInt(command, QStringLiteral("runFunction")) == 13)
            || (readInt(command, QStringLiteral("Control")) == 3 && readInt(command, QStringLiteral("runFunction")) == 1);
        return runPrivateCommand(command, !readOnly);
    };
    services.exportSettings = [this](const QString& path, const DeviceMaps& devices, QString* message) {
        return settingsTransfer().exportTo(path, devices, message);
    };
    services.importSettings = [this](const QString& path, const DeviceMaps& devices, QString* message) {
        return settingsTransfer().importFrom(path, devices, message);
    };
    return CommandLineRunner(services).run(request);
}

SettingsTransfer TALVORIN::settingsTransfer()
{
    return SettingsTransfer(
        m_store, [this](const QVariantMap& command) { return runPrivateCommand(command, true); },
        [this] {
            // The linked games live in memory too; take up the imported list.
            GameMap games;
            if (m_games.loadGameMapFromJson(m_store.userGameMap(), games))
                m_state.linkedGames = games;
        });
}

void TALVORIN::runAllDevicesLightingCommand(WorkerContext& ctx)
{
    qDebug() << "run() TALVORIN for All devices lighting";
    // The pages' own answers stay out of the window: the home page reads the one answer below.
    const QVariantMap answer = runAllDevicesLighting(ctx.command, discoverDevices(), [this](const QVariantMap& command) {
        return runPrivateCommand(command, false);
    });
    ctx.answer = answer;
    ctx.publish();
    ctx.finish();
}

void TALVORIN::runSettingsFileCommand(int control, WorkerContext& ctx)
{
    qDebug() << "run() TALVORIN for the settings file";
    QString path = readString(ctx.command, QStringLiteral("filePath"));
    if (path.startsWith(QLatin1String("file:")))
        path = QUrl(path).toLocalFile();
    QString message;
    bool done = false;
    if (path.isEmpty()) {
        message = QStringLiteral("No file was chosen.");
    } else {
        const DeviceMaps devices = discoverDevices();
        done = control == 20 ? settingsTransfer().exportTo(path, devices, &message)
                             : settingsTransfer().importFrom(path, devices, &message);
    }
    ctx.answer.clear();
    ctx.answer.insert(QStringLiteral("Control"), control);
    ctx.answer.insert(QStringLiteral("RESULTS"), done ? 1 : -1);
    ctx.answer.insert(QStringLiteral("message"), message);
    ctx.publish();
    ctx.finish();
}

bool TALVORIN::dispatch(int control, WorkerContext& ctx)
{
    switch (control) {
    case 0: m_discovery.run(ctx); break;
    case 1: m_gpuBranch.run(ctx); break;
    case 2: m_mouseBranch.run(ctx); break;
    case 3: m_headsetBranch.run(ctx); break;
    case 4: runKeyboardPlaceholder(ctx); break;
    case 5: runWindowRequest(ctx); break;
    case 6: endLoopAndForgetHandOff(); return false;
    case 7: m_updateBranch.runApplicationUpdate(ctx); break;
    case 8:
    case 9:
    case 10: m_firmwareBranch.run(control, ctx); break;
    case 11: m_updateBranch.runServerInformation(ctx); break;
    case 12: m_autostartBranch.runCreateTask(ctx); break;
    case 13: m_autostartBranch.runRemoveTask(ctx); break;
    case 20:
    case 21: runSettingsFileCommand(control, ctx); break;
    case kAllDevicesLightingControl: runAllDevicesLightingCommand(ctx); break;
    default: break; // -1 (nothing pending) and unknown kinds stay in the slot unanswered
    }
    return true;
}

void TALVORIN::runKeyboardPlaceholder(WorkerContext& ctx)
{
    ctx.answer.insert(QStringLiteral("RESULTS"), -1);
    qDebug() << "run() TALVORIN for Keyboard";
    ctx.answer.insert(QStringLiteral("Control"), 4);
    ctx.publish();
    ctx.finish();
}

void TALVORIN::runWindowRequest(WorkerContext& ctx)
{
    // Standing command: the hand-off file is read every turn until a second start asks.
    if (readFlagFromFile(m_store.handOffFile()) != 1)
        return;
    ctx.answer.insert(QStringLiteral("Control"), 5);
    ctx.answer.insert(QStringLiteral("startGUI"), 1);
    ctx.publish();
    writeTextToFile(m_store.handOffFile(), QStringLiteral("0"));
    ctx.finish();
}

void TALVORIN::endLoopAndForgetHandOff()
{
    if (QFile::exists(m_store.handOffFile()))
        QFile::remove(m_store.handOffFile());
}
