#pragma once
// The worker's branch for Control 2: one mouse operation per command, chosen by runFunction.
// Each operation reads its keys, talks to the mouse through DEV_MOUSE, keeps the files of
// the mouse under /Mouse up to date and answers with Control 2, runFunction and RESULTS.
#include "core/worker_context.h"

#include <QByteArray>
#include <QHash>

#include <array>
#include <cstdint>
#include <optional>

class DEV_MOUSE;
class GameLibrary;
class MouseFolder;
namespace mouse {
struct EncodedMacro;
struct MouseInformation;
}

class MouseBranch {
public:
    MouseBranch(DEV_MOUSE& device, GameLibrary& games);
    void run(WorkerContext& ctx);

private:
    enum class Outcome {
        Success,
        Failure, // the mouse (or a file) did not take it
        Refused, // nothing was sent: the command's values make no sense to the mouse
    };
    using SaveFlags = std::array<uint8_t, 5>;

    // The command being run.
    struct Turn {
        WorkerContext& ctx;
        const QVariantMap& command;
        QVariantMap& answer;
        QByteArray path;
        const char* devpath() const { return path.constData(); }
        WorkerState& state() const { return ctx.state; }
    };
    using Handler = Outcome (MouseBranch::*)(Turn&);
    struct Operation {
        Handler handler;
        const char* name;              // shown in the banner
        std::optional<SaveFlags> save; // Save_Settings after a success
    };
    static const QHash<int, Operation>& operations();

    // mouse_branch.cpp: the frame of every command.
    void takeDeviceIdentity(const QVariantMap& command, WorkerState& state);
    QByteArray devicePath(const WorkerState& state) const;
    Outcome runOperation(const Operation& operation, Turn& turn);
    void recordSettings(const Turn& turn, int runFunction);
    bool saveSettings(const SaveFlags& flags, const char* devpath);
    bool setDpiLevelWithRetry(uint8_t quantity, uint8_t level, const char* devpath);
    // The profile whose files the commands use: the one the mouse last reported.
    static int currentProfileOf(const WorkerState& state);
    static MouseFolder folderOf(const Turn& turn);

    // mouse_branch_profiles.cpp
    Outcome selectProfile(Turn& turn);       // 1
    Outcome readMouseInformation(Turn& turn); // 6
    Outcome resetProfile(Turn& turn);        // 16
    Outcome saveBatteryLevels(Turn& turn);   // 35
    Outcome openSystemSettings(Turn& turn);  // 39
    Outcome setLaunchAction(Turn& turn);     // 40
    Outcome renameProfile(Turn& turn);       // 41
    Outcome addApplication(Turn& turn);      // 47
    Outcome resetAll(Turn& turn);            // 999
    bool restoreFactorySettings(Turn& turn);
    void addStoredDpiAxes(Turn& turn);
    void adoptMouseInformation(const QVariantMap& info, WorkerState& state);
    void addProfileFiles(Turn& turn, int profile);
    void addFirmwareVersions(Turn& turn);

    // mouse_branch_buttons.cpp
    Outcome setButton(Turn& turn);             // 2, 3
    Outcome readButtons(Turn& turn);           // 4
    Outcome readMacroKeyInfo(Turn& turn);      // 5
    Outcome sendMacro(Turn& turn);             // 7
    Outcome deleteMacroEntry(Turn& turn);      // 36
    Outcome removeMacroFromButton(Turn& turn); // 37
    Outcome stopKeyFunction(Turn& turn);       // 38
    bool sendMacroChunks(uint8_t macroKey, uint8_t length, const mouse::EncodedMacro& macro, const char* devpath);
    void keepButtonState(const Turn& turn, const std::array<uint8_t, 5>& record);

    // mouse_branch_performance.cpp
    Outcome saveSettingsCommand(Turn& turn); // 8
    Outcome setDpiLevel(Turn& turn);         // 9
    Outcome setDpiStages(Turn& turn);        // 10
    Outcome setSensorSnap(Turn& turn);       // 11
    Outcome setLiftOff(Turn& turn);          // 12
    Outcome readDpiState(Turn& turn);        // 13
    Outcome startCalibration(Turn& turn);    // 14
    Outcome stopCalibration(Turn& turn);     // 15
    Outcome setReportRate(Turn& turn);       // 17
    Outcome setPairing(Turn& turn);          // 18
    Outcome readBattery(Turn& turn);         // 19
    Outcome readModelName(Turn& turn);       // 20, 21, 22
    Outcome setModelName(Turn& turn);        // 23
    Outcome readSerialNumber(Turn& turn);    // 24
    Outcome setSerialNumber(Turn& turn);     // 25
    Outcome setLedOffDelay(Turn& turn);      // 26
    Outcome readLedOffDelay(Turn& turn);     // 27
    Outcome setEcoMode(Turn& turn);          // 28
    Outcome readEcoMode(Turn& turn);         // 29
    Outcome saveProfile(Turn& turn);         // 33
    Outcome saveCalibration(Turn& turn);     // 34
    Outcome readPowerSettings(Turn& turn);   // 44
    Outcome readFirmwareVersion(Turn& turn); // 45
    // The lift-off distance to re-send after calibration: the command's, else the mouse's own.
    std::optional<uint8_t> liftOffAfterCalibration(Turn& turn);
    // Read_Mouse_Information, parsed; keeps the profile it reports as the current one.
    std::optional<mouse::MouseInformation> readInformation(Turn& turn);
    bool answerCalibrationState(Turn& turn);

    // mouse_branch_lighting.cpp
    Outcome setDirectColour(Turn& turn);     // 30
    Outcome setLightingArea(Turn& turn);     // 31
    Outcome setLightingAllAreas(Turn& turn); // 32
    Outcome readInformation2(Turn& turn);    // 42
    Outcome readLighting(Turn& turn);        // 43
    Outcome setDirectColourAll(Turn& turn);  // 100

    DEV_MOUSE& m_device;
    GameLibrary& m_games;
};
