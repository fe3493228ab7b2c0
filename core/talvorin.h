#pragma once
// The orchestrator worker: owns the device objects and runs one QML command per turn.
#include "bridge/bridge_thread.h"
#include "core/autostart_branch.h"
#include "core/command_line_queue.h"
#include "core/command_line_runner.h"
#include "core/data_store.h"
#include "core/discovery_branch.h"
#include "core/firmware_branch.h"
#include "core/foreground_monitor.h"
#include "core/game_library.h"
#include "core/gpu_branch.h"
#include "core/headset_branch.h"
#include "core/launch_queue.h"
#include "core/mouse_branch.h"
#include "core/update_branch.h"
#include "core/settings_transfer.h"
#include "core/update_service.h"
#include "core/worker_state.h"
#include "devices/device_setup.h"
#include "devices/gpu/dev_gpu.h"
#include "devices/headset/dev_headphone.h"
#include "devices/mouse/dev_mouse.h"
#include "platform/folder_watch.h"

#include <QVariantMap>

class TALVORIN : public BridgeThread {
    Q_OBJECT
    Q_PROPERTY(QVariantMap dataList READ getDataList NOTIFY dataListChanged)

public:
    TALVORIN(const DeviceSetup& setup, const QString& dataFolder, QObject* parent = nullptr);
    ~TALVORIN() override;

    // For the foreground monitor and tests: where launch events are queued.
    LaunchQueue& launchQueue() { return m_launches; }
    const DataStore& dataStore() const { return m_store; }

    // A command-line request for the worker's next turn; commandLineDone answers it.
    quint64 queueCommandLine(const CommandLineRequest& request);
    // Runs a command-line request on the calling thread: the worker thread for a queued one,
    // or the main thread of a process that runs it without a window (the worker not started).
    CommandLineResult runCommandLine(const CommandLineRequest& request);

signals:
    void dataListChanged(QVariantMap dataList);
    void commandLineDone(quint64 id, int status, QString output);

public slots:
    void stopThread() override;
    void stopTerminate();
    void setDataList(QVariantMap dataList);
    void receiveDataListFromQML(QVariantMap dataList);
    // The game map belongs to the worker thread: these run there (the mouse branch's 41 and 47).
    void parseAndSaveGameData(QVariantMap dataFromQML);
    bool saveStorageToJson(QString filePath);
    bool loadGameMapFromJson(QString filePath, QMap<QString, GameInfo>& outGameMap);
    QMap<QString, QVariantList> check_NewVersionFromServer();
    bool RunBatAsAdmin(QString batFileName);
    int checkAndResetFSA();
    void runWithOrWithoutGUI(QString value);

public:
    Q_INVOKABLE QVariantMap getDataList() const;

protected:
    void run() override;
    // Assigning `data` from QML places a command exactly like receiveDataFromQML.
    void writeDataProperty(QVariantMap data) override { receiveDataFromQML(data); }

private:
    void startUp();
    // One turn of the loop; false when the loop must end.
    bool runTurn();
    // Sleeps until there is something to do: a new command, a launch event, a change of the
    // hand-off file, a retry that is due, or a stop.
    void waitForWork(bool holdsWindowRequest, bool retryLaunchQueue);
    // Watches the data folder for the hand-off file; false when it cannot be watched.
    bool watchHandOff();
    // False when the lock was busy and the queue must be looked at again shortly.
    bool takeLaunchEvent();
    void runProfileSwitch(int profile);
    void takeCommandLineRequest();
    // Runs one command map through its branch without the command slot (a game launch's
    // profile switch, a command-line request) and returns the answer; `publish` shows it to QML.
    QVariantMap runPrivateCommand(const QVariantMap& command, bool publish);
    DeviceMaps discoverDevices();
    // The settings file, read and written with the worker's own branches.
    SettingsTransfer settingsTransfer();
    // Control 20 (export) and 21 (import) from the home page: "filePath" names the file.
    void runSettingsFileCommand(int control, WorkerContext& ctx);
    void runAllDevicesLightingCommand(WorkerContext& ctx);
    // Runs the branch for `control`; false when the loop must end (Control 6).
    bool dispatch(int control, WorkerContext& ctx);
    void runKeyboardPlaceholder(WorkerContext& ctx);
    void runWindowRequest(WorkerContext& ctx);
    void endLoopAndForgetHandOff();
    void emitAnswer(const QVariantMap& answer);

    DataStore m_store;
    DEV_GPU m_gpu;
    DEV_MOUSE m_mouse;
    DEV_HEADPHONE m_headphone;
    UpdateService m_updates;
    GameLibrary m_games;
    LaunchQueue m_launches;
    CommandLineQueue m_commandLines;
    ForegroundMonitor m_monitor;
    // Used by the worker's thread only.
    platform::FolderWatch m_handOffWatch;
    bool m_handOffWatchRefused = false;

    WorkerState m_state;
    QVariantMap m_answer;
    QVariantMap m_dataList;
    CommandSlot m_listCommand;

    DiscoveryBranch m_discovery;
    GpuBranch m_gpuBranch;
    MouseBranch m_mouseBranch;
    HeadsetBranch m_headsetBranch;
    UpdateBranch m_updateBranch;
    FirmwareBranch m_firmwareBranch;
    AutostartBranch m_autostartBranch;
};
