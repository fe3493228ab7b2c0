#include "core/mouse_branch.h"

#include "bridge/map_reading.h"
#include "core/mouse_command_values.h"
#include "core/mouse_folder.h"
#include "core/mouse_settings_file.h"
#include "devices/mouse/dev_mouse.h"

#include <QDebug>
#include <QThread>

namespace {

// The firmware needs a moment before a failed DPI or save command is tried again.
constexpr unsigned long kRetryPauseMs = 100;

void logBanner(const char* name)
{
    qDebug().noquote() << QStringLiteral("========================= %1 =========================").arg(QLatin1String(name));
}

void logOutcome(bool success)
{
    if (success)
        qDebug() << "SUCCESS: Operation was successful!";
    else
        qWarning() << "ERROR: Operation failed.";
}

// "2DBF" and the like from the page's device record; 0 when it is not a hexadecimal number.
uint16_t hexValue(const QVariantMap& command, const QString& key)
{
    bool ok = false;
    const uint value = command.value(key).toString().trimmed().toUInt(&ok, 16);
    return ok && value <= 0xFFFF ? uint16_t(value) : 0;
}

} // namespace

MouseBranch::MouseBranch(DEV_MOUSE& device, GameLibrary& games) : m_device(device), m_games(games) {}

const QHash<int, MouseBranch::Operation>& MouseBranch::operations()
{
    // Flags of Save_Settings: mouse settings, lighting, buttons, macros, reserved.
    static const SaveFlags kMouse{1, 0, 0, 0, 0};
    static const SaveFlags kButtons{0, 0, 1, 0, 0};
    static const QHash<int, Operation> table{
        {1, {&MouseBranch::selectProfile, "Set_SelectProfile", std::nullopt}},
        {2, {&MouseBranch::setButton, "Set_CurrentProfileButtons", kButtons}},
        {3, {&MouseBranch::setButton, "Set_CurrentProfileButtons SingleKey", kButtons}},
        {4, {&MouseBranch::readButtons, "Get_CurrentProfileButtons", std::nullopt}},
        {5, {&MouseBranch::readMacroKeyInfo, "Get_CurrentProfileButtons_MacroKeyInfo", std::nullopt}},
        {6, {&MouseBranch::readMouseInformation, "Get_Current_Mouse_Info", std::nullopt}},
        {7, {&MouseBranch::sendMacro, "Set_MacroKeyData", kButtons}},
        {8, {&MouseBranch::saveSettingsCommand, "Save_Settings", std::nullopt}},
        {9, {&MouseBranch::setDpiLevel, "Set_DPI_Level", kMouse}},
        {10, {&MouseBranch::setDpiStages, "Set_DPI_Status", kMouse}},
        {11, {&MouseBranch::setSensorSnap, "Set_Sensor_Snap", kButtons}},
        {12, {&MouseBranch::setLiftOff, "Set_LOD_Level", kMouse}},
        {13, {&MouseBranch::readDpiState, "Read_Mouse_Information", std::nullopt}},
        {14, {&MouseBranch::startCalibration, "START Calibration", kMouse}},
        {15, {&MouseBranch::stopCalibration, "STOP Calibration", std::nullopt}},
        {16, {&MouseBranch::resetProfile, "Set_Profile_Default", std::nullopt}},
        {17, {&MouseBranch::setReportRate, "Set_Report_Rate", kMouse}},
        {18, {&MouseBranch::setPairing, "Set_Dongle_to_Pairing_Mode", kMouse}},
        {19, {&MouseBranch::readBattery, "Read_BTL_Percent", std::nullopt}},
        {20, {&MouseBranch::readModelName, "Get_Model_Name", std::nullopt}},
        {21, {&MouseBranch::readModelName, "Get_Model_Name", std::nullopt}},
        {22, {&MouseBranch::readModelName, "Get_Model_Name", std::nullopt}},
        {23, {&MouseBranch::setModelName, "Set_Model_Name", kMouse}},
        {24, {&MouseBranch::readSerialNumber, "Get_Serial_Number", std::nullopt}},
        {25, {&MouseBranch::setSerialNumber, "Set_Serial_Number", kMouse}},
        {26, {&MouseBranch::setLedOffDelay, "Set_LED_OFF_Delay_Time", kMouse}},
        {27, {&MouseBranch::readLedOffDelay, "Read_LED_OFF_Delay_Time", std::nullopt}},
        {28, {&MouseBranch::setEcoMode, "Set_ECO_Mode", kMouse}},
        {29, {&MouseBranch::readEcoMode, "Read_ECO_Mode", std::nullopt}},
        {30, {&MouseBranch::setDirectColour, "Set_ARGB_Direct_Color", kMouse}},
        {31, {&MouseBranch::setLightingArea, "Set_ARGB_Function_1_Area", kMouse}},
        {32, {&MouseBranch::setLightingAllAreas, "Set_ARGB_Function_All_Area", kMouse}},
        {33, {&MouseBranch::saveProfile, "Set_Save_Profile", kMouse}},
        {34, {&MouseBranch::saveCalibration, "Save Calibration", std::nullopt}},
        {35, {&MouseBranch::saveBatteryLevels, "BatteryLevelSettings", std::nullopt}},
        {36, {&MouseBranch::deleteMacroEntry, "delete macrokey", std::nullopt}},
        {37, {&MouseBranch::removeMacroFromButton, "delete macrokey Item, update user settings", kMouse}},
        {38, {&MouseBranch::stopKeyFunction, "stopKeyFunction", std::nullopt}},
        {39, {&MouseBranch::openSystemSettings, "Open_Windows_System_Setting", std::nullopt}},
        {40, {&MouseBranch::setLaunchAction, "launch software or webside", kButtons}},
        {41, {&MouseBranch::renameProfile, "CheckBoxChanged", std::nullopt}},
        {42, {&MouseBranch::readInformation2, "Get_Current_Mouse_Info2", std::nullopt}},
        {43, {&MouseBranch::readLighting, "Get_CurrentMouse_ARGB_Info", std::nullopt}},
        {44, {&MouseBranch::readPowerSettings, "Read_ECO_Mode / Read_LED_OFF_Delay_Time", std::nullopt}},
        {45, {&MouseBranch::readFirmwareVersion, "Retry Get_Firmware_Version", std::nullopt}},
        {47, {&MouseBranch::addApplication, "addOtherApplicationFileDialog", std::nullopt}},
        {100, {&MouseBranch::setDirectColourAll, "Set_ARGB_Direct_Color_All", kMouse}},
        {999, {&MouseBranch::resetAll, "Reset All Profile", std::nullopt}},
    };
    return table;
}

void MouseBranch::run(WorkerContext& ctx)
{
    ctx.answer.clear();
    qDebug() << "run() TALVORIN for Mouse";
    const int code = readInt(ctx.command, QStringLiteral("runFunction"), -1);
    takeDeviceIdentity(ctx.command, ctx.state);
    Turn turn{ctx, ctx.command, ctx.answer, devicePath(ctx.state)};

    bool success = false;
    const auto it = operations().constFind(code);
    if (it == operations().constEnd()) {
        qWarning() << "Unknown mouse runFunction:" << code;
    } else {
        logBanner(it->name);
        const Outcome outcome = runOperation(*it, turn);
        success = outcome == Outcome::Success;
        logOutcome(success);
        if (success && rewritesMouseSettings(code))
            recordSettings(turn, code);
    }
    ctx.answer.insert(QStringLiteral("Control"), 2);
    ctx.answer.insert(QStringLiteral("runFunction"), code);
    ctx.answer.insert(QStringLiteral("RESULTS"), success ? 1 : -1);
    ctx.answer.insert(QStringLiteral("checkResult"), success ? QStringLiteral("SUCCESS") : QStringLiteral("ERROR"));
    ctx.publish();
    ctx.finish();
}

MouseBranch::Outcome MouseBranch::runOperation(const Operation& operation, Turn& turn)
{
    const Outcome outcome = (this->*operation.handler)(turn);
    if (outcome != Outcome::Success || !operation.save)
        return outcome;
    return saveSettings(*operation.save, turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

void MouseBranch::takeDeviceIdentity(const QVariantMap& command, WorkerState& state)
{
    const QString path = readString(command, QStringLiteral("currentHID_Path"));
    if (!path.isEmpty())
        state.currentHidPath = path;
    const QString uuid = readString(command, QStringLiteral("qStr_MCU_UUID"));
    if (isPlainIdentifier(uuid))
        state.currentMouseUuid = uuid;
    // The page names the interface it opened; its product id decides the framing.
    if (const uint16_t vendor = hexValue(command, QStringLiteral("Vendor_ID")))
        m_device.vendor_id = vendor;
    if (const uint16_t product = hexValue(command, QStringLiteral("Product_ID")))
        m_device.product_id = product;
    if (const uint16_t page = hexValue(command, QStringLiteral("Usage_Page")))
        m_device.usage_page = page;
    if (const uint16_t usage = hexValue(command, QStringLiteral("Usage")))
        m_device.usage = usage;
}

QByteArray MouseBranch::devicePath(const WorkerState& state) const
{
    if (!state.currentHidPath.isEmpty())
        return state.currentHidPath.toUtf8();
    // Before the page has opened a mouse (a game launch right after start), the first mouse
    // that discovery found is the one in use.
    return m_device.getData().value(QStringLiteral("MOUSE0")).toMap().value(QStringLiteral("Path")).toString().toUtf8();
}

bool MouseBranch::saveSettings(const SaveFlags& flags, const char* devpath)
{
    if (m_device.Save_Settings(flags, devpath))
        return true;
    QThread::msleep(kRetryPauseMs);
    return m_device.Save_Settings(flags, devpath);
}

bool MouseBranch::setDpiLevelWithRetry(uint8_t quantity, uint8_t level, const char* devpath)
{
    if (m_device.Set_DPI_Level(quantity, level, devpath))
        return true;
    QThread::msleep(kRetryPauseMs);
    return m_device.Set_DPI_Level(quantity, level, devpath);
}

int MouseBranch::currentProfileOf(const WorkerState& state)
{
    return mousecmd::isMouseProfile(state.currentMouseProfile) ? state.currentMouseProfile : mousecmd::kFirstProfile;
}

MouseFolder MouseBranch::folderOf(const Turn& turn)
{
    return MouseFolder(turn.ctx.store, turn.state().currentMouseUuid);
}

void MouseBranch::recordSettings(const Turn& turn, int runFunction)
{
    const MouseFolder folder = folderOf(turn);
    if (!folder.isValid()) {
        qDebug() << "userSettingData.json not written: no mouse folder yet (MCU UUID unknown)";
        return;
    }
    const int profile = currentProfileOf(turn.state());
    folder.create(profile);
    recordMouseSettings(folder.settingsFile(), runFunction, turn.command);
    if (isProfileSetting(runFunction))
        recordMouseSettings(folder.profileSettingsFile(profile), runFunction, turn.command);
}
