#include "core/talvorin.h"

#include "bridge/changed_value.h"
#include "bridge/map_reading.h"
#include "core/all_devices_lighting.h"
#include "core/game_linking.h"
#include "util/files.h"
#include "util/logging.h"
#include "util/store_reading.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

// Long enough for any turn that is not running an external program or a download.
constexpr unsigned long kDestructorWaitMs = 3000;
// When the data folder cannot be watched, a standing window request reads the hand-off file
// this often instead.
constexpr int kHandOffPollMs = 100;
// The launch queue's lock is held by a push for microseconds; a turn that found it busy
// looks again this soon.
constexpr int kLaunchRetryMs = 1;
const QString kHandOffName = QStringLiteral("talvorin.txt");

} // namespace

TALVORIN::TALVORIN(const DeviceSetup& setup, const QString& dataFolder, QObject* parent)
    : BridgeThread(parent),
      m_store(dataFolder),
      m_gpu(setup),
      m_mouse(setup),
      m_headphone(setup),
      m_games(m_store),
      m_launches(&m_wake),
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
    interruptAndWake();
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
    interruptAndWake();
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
    return AutostartBranch::showWindowAtStart(m_store);
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
    // Before the first turn: a second start that writes the file from here on wakes the
    // worker, and one that wrote it earlier is read by the first window request.
    watchHandOff();
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
    // Lowered before anything is looked at: whatever arrives from here on ends the wait below.
    m_wake.lower();
    const bool retryLaunchQueue = !takeLaunchEvent();
    takeCommandLineRequest();
    const CommandSlot::Taken taken = m_command.take();
    WorkerContext ctx{m_command, taken.generation, taken.command, m_answer, m_state, m_store,
                      [this](const QVariantMap& answer) { emitAnswer(answer); }};
    const int control = readInt(taken.command, QStringLiteral("Control"), 0);
    if (!dispatch(control, ctx))
        return false;
    if (!m_stopFlag)
        waitForWork(control == 5, retryLaunchQueue);
    if (m_stopFlag) {
        qDebug() << " Stop() TALVORIN Thread: " << QThread::currentThreadId();
        return false;
    }
    return true;
}

void TALVORIN::waitForWork(bool holdsWindowRequest, bool retryLaunchQueue)
{
    int timeoutMs = -1;
    if (retryLaunchQueue)
        timeoutMs = kLaunchRetryMs;
    else if (holdsWindowRequest && !m_handOffWatch.isWatching())
        timeoutMs = kHandOffPollMs;
    for (;;) {
        const platform::WaitResult result = platform::waitForEvent(m_handOffWatch.descriptor(), m_wake, timeoutMs);
        // Changes of the data folder's other files are read and let go without a turn.
        if (!result.sourceReady || result.woken || m_handOffWatch.takeChangesOf(kHandOffName))
            return;
    }
}

bool TALVORIN::watchHandOff()
{
    if (m_handOffWatch.isWatching())
        return true;
    // A folder made later is watched then; a watch the system refused is not asked for again.
    if (m_handOffWatchRefused || !QFileInfo(m_store.root()).isDir())
        return false;
    m_handOffWatchRefused = !m_handOffWatch.watch(m_store.root());
    return !m_handOffWatchRefused;
}

bool TALVORIN::takeLaunchEvent()
{
    LaunchEvent event;
    bool lockBusy = false;
    if (!m_launches.tryTake(event, &lockBusy))
        return !lockBusy;
    writeStdout(QStringLiteral("    [TALVORIN] window title: %1\n").arg(event.windowTitle));
    writeStdout(QStringLiteral("    [TALVORIN] executable name: %1\n").arg(event.executableName));
    writeStdout(QStringLiteral("    [TALVORIN] executable path: %1\n\n").arg(event.executablePath));
    // More events may wait; the next turn takes the next one without a sleep.
    if (m_launches.size() > 0)
        m_wake.raise();
    const std::optional<int> profile =
        profileSwitchFor(m_state.linkedGames, event.executablePath, m_state.currentMouseProfile);
    if (profile)
        runProfileSwitch(*profile);
    return true;
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
    case 14: m_autostartBranch.runReadStartOptions(ctx); break;
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
    // Standing command: the hand-off file is read on every turn, and a turn runs when the
    // file changes, until a second start asks.
    watchHandOff();
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
