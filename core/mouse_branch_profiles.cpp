// Profiles and the files of the mouse: switching, defaults, the full information read,
// launch actions, names, battery levels, the desktop's mouse settings and resetting it all.
#include "core/mouse_branch.h"

#include "bridge/map_reading.h"
#include "core/game_library.h"
#include "core/mouse_command_values.h"
#include "core/mouse_folder.h"
#include "core/mouse_settings_file.h"
#include "core/profile_names.h"
#include "devices/mouse/battery_settings.h"
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/mouse_answers.h"
#include "platform/desktop_settings.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

using mousecmd::isMouseProfile;

namespace {

constexpr uint8_t kLaunchProgram = 2;
constexpr uint8_t kLaunchWebsite = 3;
constexpr uint8_t kLaunchSingleKey = 4;

int profileNoOf(const QVariantMap& command)
{
    return readInt(command, QStringLiteral("profileNo"), 0);
}

bool refuseProfile(const char* tag, int profile)
{
    if (isMouseProfile(profile))
        return false;
    qWarning().noquote() << QStringLiteral("[%1] profileNo out of range (1 to 5):").arg(QLatin1String(tag)) << profile;
    return true;
}

// A server version such as "7", "v7" or "1.07" as the number the mouse reports; -1 without digits.
int versionNumber(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits.append(c);
    }
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : -1;
}

QString launchNameOf(const QVariantMap& command, int launch)
{
    const QString given = readString(command, QStringLiteral("launchName"));
    if (!given.isEmpty())
        return given;
    if (launch == kLaunchProgram)
        return QFileInfo(readString(command, QStringLiteral("software_path"))).completeBaseName();
    if (launch == kLaunchWebsite)
        return readString(command, QStringLiteral("webside_path"));
    return readString(command, QStringLiteral("keyFunctionSingleKey"));
}

} // namespace

void MouseBranch::adoptMouseInformation(const QVariantMap& info, WorkerState& state)
{
    const QString uuid = info.value(QStringLiteral("qStr_MCU_UUID")).toString();
    if (isPlainIdentifier(uuid))
        state.currentMouseUuid = uuid;
    const int profile = info.value(QStringLiteral("ProfileNo")).toInt();
    if (isMouseProfile(profile))
        state.currentMouseProfile = profile;
}

// The profile's button file, its launch data and the profile names.
void MouseBranch::addProfileFiles(Turn& turn, int profile)
{
    const MouseFolder folder = folderOf(turn);
    qDebug() << "qStr_MCU_UUID:" << turn.state().currentMouseUuid;
    qDebug() << "mouseProfile:" << profile;
    qDebug() << "AppData Folder Path:" << turn.ctx.store.root();
    if (folder.isValid())
        folder.create(profile);
    QVariantList buttons;
    for (const QVariantMap& entry : loadButtonEntries(folder.profileButtonFile(profile)))
        buttons.append(entry);
    QVariantList launches;
    for (const QVariantMap& entry : loadButtonEntries(folder.launchDataFile(profile)))
        launches.append(entry);
    turn.answer.insert(QStringLiteral("mouseProfile"), profile);
    turn.answer.insert(QStringLiteral("ProfileButtons"), buttons);
    turn.answer.insert(QStringLiteral("LaunchData_listSize"), launches.size());
    turn.answer.insert(QStringLiteral("LaunchData"), launches);
    addProfileNamesToAnswer(turn.answer, loadProfileNames(folder.profileNamesFile()), profile);
}

MouseBranch::Outcome MouseBranch::selectProfile(Turn& turn)
{
    const int profile = profileNoOf(turn.command);
    turn.answer.insert(QStringLiteral("profileNo"), profile);
    if (refuseProfile("Set_SelectProfile", profile))
        return Outcome::Refused;
    if (!m_device.Set_SelectProfile(uint8_t(profile), turn.devpath()))
        return Outcome::Failure;
    turn.state().currentMouseProfile = profile;
    const bool saved = saveSettings({1, 0, 0, 0, 0}, turn.devpath());
    const QVariantMap info = m_device.Get_Current_Mouse_Info(turn.devpath());
    turn.answer.insert(info);
    adoptMouseInformation(info, turn.state());
    addProfileFiles(turn, profile);
    return saved ? Outcome::Success : Outcome::Failure;
}

void MouseBranch::addFirmwareVersions(Turn& turn)
{
    const QByteArray answer = m_device.Get_Firmware_Version(turn.devpath());
    if (mouse::answerByte(answer, 1) != 0x81) {
        qWarning() << "Get_Firmware_Version: no answer from the mouse";
        return;
    }
    const int controller = mouse::answerByte(answer, 4);
    const int radio = mouse::answerByte(answer, 6);
    turn.answer.insert(QStringLiteral("NXP_FW_L"), controller);
    turn.answer.insert(QStringLiteral("RF_FW_L"), radio);
    QVariantList firmware;
    bool update = false;
    const QList<QPair<QString, int>> parts{{QStringLiteral("Mouse-NXP"), controller}, {QStringLiteral("Mouse-RF"), radio}};
    for (const auto& part : parts) {
        const QVariantMap entry = turn.state().firmwareByName.value(part.first);
        if (entry.isEmpty())
            continue;
        const QString version = entry.value(QStringLiteral("version")).toString();
        firmware.append(QVariantMap{{QStringLiteral("name"), part.first}, {QStringLiteral("version"), version}});
        const int offered = versionNumber(version);
        update = update || (offered >= 0 && offered != part.second);
    }
    turn.answer.insert(QStringLiteral("firmware"), firmware);
    turn.answer.insert(QStringLiteral("Mouse_FW_Update"), update ? 1 : 0);
}

MouseBranch::Outcome MouseBranch::readMouseInformation(Turn& turn)
{
    const QVariantMap info = m_device.Get_Current_Mouse_Info(turn.devpath());
    turn.answer.insert(info);
    adoptMouseInformation(info, turn.state());
    addFirmwareVersions(turn);
    if (const std::optional<BatteryThresholds> levels = loadBatteryThresholds(turn.ctx.store.batteryLevels())) {
        turn.answer.insert(QStringLiteral("BatteryLevel_First"), levels->first);
        turn.answer.insert(QStringLiteral("BatteryLevel_Second"), levels->second);
    }
    addProfileFiles(turn, currentProfileOf(turn.state()));
    addStoredDpiAxes(turn);
    return isMouseProfile(info.value(QStringLiteral("ProfileNo")).toInt()) ? Outcome::Success : Outcome::Failure;
}

// Whether the page set X and Y apart: a choice of the page, kept with the last stage table.
void MouseBranch::addStoredDpiAxes(Turn& turn)
{
    const MouseFolder folder = folderOf(turn);
    if (!folder.isValid())
        return;
    const QVariant separate = storedMouseCommand(folder.settingsFile(), 10).value(QStringLiteral("XY_DPI"));
    if (separate.isValid())
        turn.answer.insert(QStringLiteral("XY_DPI"), separate.toInt());
}

MouseBranch::Outcome MouseBranch::resetProfile(Turn& turn)
{
    const int profile = profileNoOf(turn.command);
    turn.answer.insert(QStringLiteral("profileNo"), profile);
    if (refuseProfile("Set_Profile_Default", profile))
        return Outcome::Refused;
    if (!m_device.Set_Profile_Default(uint8_t(profile), turn.devpath()))
        return Outcome::Failure;
    // The mouse has forgotten the profile's buttons: its launch actions and disabled buttons
    // go with them. Its name stays.
    const MouseFolder folder = folderOf(turn);
    bool filesOk = true;
    if (folder.isValid() && folder.create(profile)) {
        filesOk = saveJsonList({}, folder.profileButtonFile(profile)) && saveJsonList({}, folder.launchDataFile(profile))
            && clearMouseSettings(folder.profileSettingsFile(profile));
    }
    addProfileFiles(turn, profile);
    return filesOk ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::saveBatteryLevels(Turn& turn)
{
    // The whole command, as one element: it carries BatteryLevel_First and _Second.
    const QString path = turn.ctx.store.batteryLevels();
    ensureDirectory(turn.ctx.store.mouseFolder());
    if (!saveJsonList({turn.command}, path))
        return Outcome::Failure;
    turn.answer.insert(QStringLiteral("BatteryLevel_First"), turn.command.value(QStringLiteral("BatteryLevel_First")));
    turn.answer.insert(QStringLiteral("BatteryLevel_Second"), turn.command.value(QStringLiteral("BatteryLevel_Second")));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::openSystemSettings(Turn& turn)
{
    const platform::SettingsLaunch launch = platform::openMouseSettings();
    if (!launch.started) {
        qWarning() << "Open_Windows_System_Setting failed:" << launch.error;
        turn.answer.insert(QStringLiteral("failureCause"), launch.program.isEmpty()
                                                               ? QStringLiteral("No mouse settings program found")
                                                               : QStringLiteral("Could not start ") + launch.program);
        return Outcome::Failure;
    }
    qDebug() << "Open_Windows_System_Setting:" << launch.program;
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::setLaunchAction(Turn& turn)
{
    const int button = readInt(turn.command, QStringLiteral("currentButton"), -1);
    const int launch = readInt(turn.command, QStringLiteral("launch"), -1);
    if (button < 1 || button > 9 || (launch != kLaunchProgram && launch != kLaunchWebsite && launch != kLaunchSingleKey)) {
        qWarning() << "[launch] currentButton (1 to 9) or launch (2, 3, 4) out of range:" << button << launch;
        return Outcome::Refused;
    }
    const MouseFolder folder = folderOf(turn);
    const int profile = currentProfileOf(turn.state());
    if (!folder.isValid()) {
        qWarning() << "[launch] no mouse folder: the MCU UUID is not known yet";
        return Outcome::Refused;
    }
    if (!m_device.Set_CurrentProfileButtons(mousecmd::launchRecord(uint8_t(button), uint8_t(launch)), turn.devpath()))
        return Outcome::Failure;
    const QVariantMap entry{
        {QStringLiteral("currentButton"), button},
        {QStringLiteral("launch"), launch},
        {QStringLiteral("launchName"), launchNameOf(turn.command, launch)},
        {QStringLiteral("software_path"), readString(turn.command, QStringLiteral("software_path"))},
        {QStringLiteral("webside_path"), readString(turn.command, QStringLiteral("webside_path"))},
        {QStringLiteral("keyFunctionSingleKey"), readString(turn.command, QStringLiteral("keyFunctionSingleKey"))},
    };
    QVariantMap buttonEntryWithState = entry;
    buttonEntryWithState.insert(QStringLiteral("Disable_Button"), false);
    const bool stored = folder.create(profile) && saveButtonEntry(folder.profileButtonFile(profile), buttonEntryWithState)
        && saveButtonEntry(folder.launchDataFile(profile), entry);
    addProfileFiles(turn, profile);
    return stored ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::renameProfile(Turn& turn)
{
    bool ok = true;
    if (!turn.command.value(QStringLiteral("AppIDList")).toList().isEmpty())
        m_games.parseAndSaveGameData(turn.command, turn.state());
    const MouseFolder folder = folderOf(turn);
    ProfileNames names = loadProfileNames(folder.profileNamesFile());
    const int profile = currentProfileOf(turn.state());
    if (applyProfileNameCommand(names, turn.command, profile)) {
        if (!folder.isValid()) {
            qWarning() << "UserProfileName.json not written: no mouse folder yet (MCU UUID unknown)";
            ok = false;
        } else {
            ok = folder.create() && saveProfileNames(folder.profileNamesFile(), names);
        }
    }
    addProfileNamesToAnswer(turn.answer, names, profile);
    return ok ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::addApplication(Turn& turn)
{
    const QString path = readString(turn.command, QStringLiteral("selectExePath"));
    if (path.trimmed().isEmpty()) {
        qWarning() << "addOtherApplicationFileDialog: selectExePath is empty";
        return Outcome::Refused;
    }
    // The file dialog may hand over a file:// address.
    const QUrl url(path);
    const QString exePath = url.isLocalFile() ? url.toLocalFile() : path;
    turn.answer.insert(m_games.addApplication(exePath, turn.state()));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::resetAll(Turn& turn)
{
    const QString folder = turn.ctx.store.mouseFolder();
    if (QDir(folder).exists() && !clearDirectory(folder)) {
        qWarning() << "Failed to clear directory.";
        return Outcome::Failure;
    }
    qDebug() << "Directory cleared successfully.";
    if (!restoreFactorySettings(turn)) {
        turn.answer.insert(QStringLiteral("failureCause"),
                           QStringLiteral("The saved settings were deleted, but the mouse did not take back its "
                                          "factory buttons, lighting, DPI stages, polling rate and lift-off distance"));
        return Outcome::Failure;
    }
    return Outcome::Success;
}

