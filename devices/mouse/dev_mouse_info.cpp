// The information maps of the selected mouse: the full read and the two lighter refreshes.
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/mouse_answers.h"

#include "util/app_data.h"
#include "util/json_files.h"
#include "util/logging.h"

#include <QDebug>
#include <QThread>
#include <exception>

using namespace mouse;

namespace {

constexpr unsigned long kPaceMs = 100;
const QString kMouseName = QStringLiteral("ORVENA RM20 Wireless Gaming Mouse");

void pace()
{
    QThread::msleep(kPaceMs);
}

bool startsWith(const QByteArray& answer, uint8_t first, uint8_t second)
{
    return answerByte(answer, 0) == first && answerByte(answer, 1) == second;
}

void logButtonCode(int index, uint8_t code)
{
    if (code >= 1 && code <= 40)
        qDebug() << "Macro-Key index: " << index;
    else if (code == 64)
        qDebug() << "Re-defined Key index: " << index;
    else if (code == 65)
        qDebug() << "Change Profile index: " << index;
    else if (code == 66)
        qDebug() << "DPI Button index: " << index;
}

bool isTruthy(const QVariant& value)
{
    return value.toBool() || value.toInt() != 0;
}

} // namespace

void DEV_MOUSE::addIdentity(QVariantMap& map, int runFunction, const char* devpath, bool unknownConnectionName)
{
    map.insert(QStringLiteral("runFunction"), runFunction);
    map.insert(QStringLiteral("vendor_id"), int(vendor_id));
    map.insert(QStringLiteral("product_id"), int(product_id));
    map.insert(QStringLiteral("devpath"), QString::fromUtf8(devpath ? devpath : ""));
    map.insert(QStringLiteral("qStr_MCU_UUID"), QString());
    const QString connection = connectionName(product_id);
    if (!connection.isEmpty())
        map.insert(QStringLiteral("BusTypeName"), connection);
    else if (unknownConnectionName)
        map.insert(QStringLiteral("BusTypeName"), QStringLiteral("Unknown"));
}

void DEV_MOUSE::addMouseInformation(QVariantMap& map, const QByteArray& answer)
{
    const MouseInformation info = parseMouseInformation(answer);
    map.insert(QStringLiteral("FW_VER"), int(info.firmware));
    map.insert(QStringLiteral("DPI_Quantity"), int(info.dpiQuantity));
    map.insert(QStringLiteral("ProfileNo"), int(info.profile));
    if (info.profile >= 1 && info.profile <= 5)
        m_currentProfile = info.profile;
    map.insert(QStringLiteral("ReportRate_wired"), wiredReportRate(info.wiredRateCode));
    map.insert(QStringLiteral("ReportRate_RF"), wirelessReportRate(info.wirelessRateCode));
    map.insert(QStringLiteral("Snap"), int(info.snap));
    map.insert(QStringLiteral("LOD"), int(info.liftOff));
    map.insert(QStringLiteral("DPI_Level"), int(info.dpiStage));
    for (int s = 0; s < 5; ++s) {
        const DpiStage& stage = info.stages[size_t(s)];
        const QString prefix = QStringLiteral("DPI%1_").arg(s + 1);
        map.insert(prefix + QStringLiteral("X"), int(stage.x));
        map.insert(prefix + QStringLiteral("Y"), int(stage.y));
        map.insert(prefix + QStringLiteral("LED_R"), int(stage.red));
        map.insert(prefix + QStringLiteral("LED_G"), int(stage.green));
        map.insert(prefix + QStringLiteral("LED_B"), int(stage.blue));
    }
}

// Button details: the re-defined key data of the mouse and the disable settings kept in the
// profile's button file (/Mouse/<uuid>/profile_<n>.json, one entry per button).
void DEV_MOUSE::addButtonDetails(QVariantMap& map, const char* devpath, const QString& uuid)
{
    const bool haveCodes = Get_CurrentProfileButtons(devpath);
    for (int i = 0; i < 9; ++i) {
        const uint8_t code = haveCodes ? m_profileButtons[size_t(i)] : 0;
        map.insert(QStringLiteral("CurrentProfileButtons_DATA%1").arg(i), int(code));
        logButtonCode(i, code);
    }
    const bool haveKeys = Get_CurrentProfileButtons_RedefineKeyInfo(devpath);
    for (int i = 0; i < 27; ++i)
        map.insert(QStringLiteral("ReDefinedKEY_DATA%1").arg(i), haveKeys ? int(m_redefinedKeys[size_t(i)]) : 0);

    QVariantList disabled;
    if (!uuid.isEmpty()) {
        const QString file = appDataFolder() + QStringLiteral("/Mouse/") + uuid
            + QStringLiteral("/profile_%1.json").arg(m_currentProfile);
        const QList<QVariantMap> buttons = loadJsonList(file);
        for (const QVariantMap& button : buttons) {
            if (!button.contains(QStringLiteral("Disable_Button")))
                continue;
            const int number = button.value(QStringLiteral("currentButton")).toInt();
            const QVariant value = button.value(QStringLiteral("Disable_Button"));
            map.insert(QStringLiteral("DisableButton_%1").arg(number), value);
            if (isTruthy(value))
                disabled.append(number);
        }
    }
    map.insert(QStringLiteral("Disable_Button"), disabled);
}

void DEV_MOUSE::addStoredMacros(QVariantMap& map)
{
    const QList<QVariantMap> stored = loadJsonList(appDataFolder() + QStringLiteral("/Mouse/UserMacroKeyData.json"));
    const QVariantMap macros = stored.isEmpty() ? QVariantMap() : stored.first();
    map.insert(QStringLiteral("mk_ListSize"), macros.value(QStringLiteral("mk_ListSize"), 0));
    map.insert(QStringLiteral("mk_AllData"), macros.value(QStringLiteral("mk_AllData"), QVariantList()));
}

bool DEV_MOUSE::addArgbData(QVariantMap& map, const char* devpath)
{
    const bool ok = Get_ARGB_Function_Mode(devpath);
    m_argbReadOk = ok;
    for (int i = 0; i < 19; ++i)
        map.insert(QStringLiteral("Get_ARGB_DATA%1").arg(i), ok ? int(m_argb[size_t(i)]) : 0);
    return ok;
}

QVariantMap DEV_MOUSE::Get_Current_Mouse_Info(const char* devpath)
{
    QVariantMap map;
    try {
        addIdentity(map, 6, devpath, false);
        pace();

        HidAnswer information = mouseInformationAnswer(devpath);
        pace();
        if (!isMouseInformation(information.bytes))
            information = mouseInformationAnswer(devpath);
        addMouseInformation(map, information.bytes);

        pace();
        HidAnswer battery = batteryAnswer(devpath);
        pace();
        if (!isBatteryAnswer(battery.bytes)) {
            battery = batteryAnswer(devpath);
            pace();
        }
        map.insert(QStringLiteral("BTL_Percent"), int(answerByte(battery.bytes, 5)));
        map.insert(QStringLiteral("charging_STA"), int(answerByte(battery.bytes, 6)));

        pace();
        HidAnswer name = modelNameAnswer(devpath);
        pace();
        if (!startsWith(name.bytes, kGet, cmd::ModelName)) {
            name = modelNameAnswer(devpath);
            pace();
        }
        map.insert(QStringLiteral("name"), kMouseName);
        const uint8_t colour = answerByte(name.bytes, 4);
        if (colour == 1 || colour == 2)
            map.insert(QStringLiteral("mouse_color"), colourName(colour));

        pace();
        const QString uuid = readMcuUuid(devpath).value_or(QString());
        map.insert(QStringLiteral("qStr_MCU_UUID"), uuid);

        pace();
        addButtonDetails(map, devpath, uuid);
        addStoredMacros(map);
        addArgbData(map, devpath);
    } catch (const std::exception& e) {
        qDebug() << "Caught exception: " << e.what();
    }
    return map;
}

QVariantMap DEV_MOUSE::Get_Current_Mouse_Info2(const char* devpath)
{
    QVariantMap map;
    try {
        addIdentity(map, 42, devpath, true);
        if (!devpath || devpath[0] == '\0') {
            qCritical() << "[Get_Current_Mouse_Info2] devpath is empty!";
            return map;
        }
        if (!addArgbData(map, devpath))
            qCritical() << "[Get_Current_Mouse_Info2] Get_ARGB_Function_Mode failed!";
        pace();
        const HidAnswer firmware = firmwareVersionAnswer(devpath);
        if (firmware.length < 7) {
            qWarning() << "[Get_Current_Mouse_Info2] Get_Firmware_Version returned too short!";
        } else {
            map.insert(QStringLiteral("NXP_FW_L"), int(answerByte(firmware.bytes, 4)));
            map.insert(QStringLiteral("RF_FW_L"), int(answerByte(firmware.bytes, 6)));
        }
        pace();
        map.insert(QStringLiteral("Read_ECO"), Read_ECO_Mode(devpath));
        pace();
        map.insert(QStringLiteral("Read_Sleep"), Read_LED_OFF_Delay_Time(devpath));
    } catch (const std::exception& e) {
        qCritical() << "[Get_Current_Mouse_Info2] Caught exception:" << e.what();
    }
    return map;
}

QVariantMap DEV_MOUSE::Get_CurrentMouse_ARGB_Info(const char* devpath)
{
    QVariantMap map;
    try {
        addIdentity(map, 43, devpath, false);
        addArgbData(map, devpath);
        for (int i = 0; i < 19; ++i) {
            writeStdout(QStringLiteral("Get_ARGB_INT_IN[%1]: %2\n")
                            .arg(i)
                            .arg(map.value(QStringLiteral("Get_ARGB_DATA%1").arg(i)).toInt()));
        }
    } catch (const std::exception& e) {
        qCritical() << "[Get_CurrentMouse_ARGB_Info] Caught exception:" << e.what();
    }
    return map;
}
