// DPI, sensor, calibration, report rate, power and the identity reads of the mouse.
#include "core/mouse_branch.h"

#include "bridge/map_reading.h"
#include "core/mouse_command_values.h"
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/mouse_answers.h"

#include <QDebug>
#include <QThread>

using mousecmd::byteOf;

namespace {

// The firmware takes the stage table only after it has settled on the new stage count.
constexpr unsigned long kDpiPauseMs = 100;
constexpr int kMaxSerialLength = 60;

bool isLiftOff(int value)
{
    return value == 2 || value == 3; // 1 mm, 2 mm
}

bool isWiredRateCode(int code)
{
    return code == 1 || code == 2 || code == 4 || code == 8 || code == 16 || code == 32;
}

bool isWirelessRateCode(int code)
{
    return code == 8 || code == 16 || code == 32;
}

bool refuseDpi(uint8_t quantity, uint8_t level)
{
    if (mousecmd::isValidDpiSelection(quantity, level))
        return false;
    qWarning() << "[Set_DPI_Level] DPI_Quantity (1 to 5) or DPI_Level (below it) out of range:" << quantity << level;
    return true;
}

} // namespace

MouseBranch::Outcome MouseBranch::saveSettingsCommand(Turn& turn)
{
    return saveSettings({1, 0, 0, 0, 0}, turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setDpiLevel(Turn& turn)
{
    const uint8_t quantity = byteOf(turn.command, QStringLiteral("DPI_Quantity"));
    const uint8_t level = byteOf(turn.command, QStringLiteral("DPI_Level"));
    if (refuseDpi(quantity, level))
        return Outcome::Refused;
    return setDpiLevelWithRetry(quantity, level, turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setDpiStages(Turn& turn)
{
    const mousecmd::DpiSettings dpi = mousecmd::dpiSettingsFrom(turn.command);
    if (refuseDpi(dpi.quantity, dpi.level))
        return Outcome::Refused;
    if (!setDpiLevelWithRetry(dpi.quantity, dpi.level, turn.devpath()))
        return Outcome::Failure;
    QThread::msleep(kDpiPauseMs);
    return m_device.Set_DPI_Status(dpi.quantity, dpi.level, dpi.update, dpi.resolutions, dpi.colours, turn.devpath())
        ? Outcome::Success
        : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setSensorSnap(Turn& turn)
{
    return m_device.Set_Sensor_Snap(0, turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setLiftOff(Turn& turn)
{
    const int lod = readInt(turn.command, QStringLiteral("LOD"));
    if (!isLiftOff(lod)) {
        qWarning() << "[Set_LOD_Level] LOD out of range (2 or 3):" << lod;
        return Outcome::Refused;
    }
    return m_device.Set_LOD_Level(uint8_t(lod), turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

std::optional<mouse::MouseInformation> MouseBranch::readInformation(Turn& turn)
{
    const QByteArray answer = m_device.Read_Mouse_Information(turn.devpath());
    if (!mouse::isMouseInformation(answer))
        return std::nullopt;
    const mouse::MouseInformation info = mouse::parseMouseInformation(answer);
    if (mousecmd::isMouseProfile(info.profile))
        turn.state().currentMouseProfile = info.profile;
    return info;
}

// Snap, LOD and DPI_Level after a calibration.
bool MouseBranch::answerCalibrationState(Turn& turn)
{
    const std::optional<mouse::MouseInformation> info = readInformation(turn);
    if (!info)
        return false;
    turn.answer.insert(QStringLiteral("Snap"), int(info->snap));
    turn.answer.insert(QStringLiteral("LOD"), int(info->liftOff));
    turn.answer.insert(QStringLiteral("DPI_Level"), int(info->dpiStage));
    return true;
}

MouseBranch::Outcome MouseBranch::readDpiState(Turn& turn)
{
    const std::optional<mouse::MouseInformation> info = readInformation(turn);
    if (!info)
        return Outcome::Failure;
    turn.answer.insert(QStringLiteral("ProfileNo"), int(info->profile));
    turn.answer.insert(QStringLiteral("DPI_Quantity"), int(info->dpiQuantity));
    turn.answer.insert(QStringLiteral("Snap"), int(info->snap));
    turn.answer.insert(QStringLiteral("DPI_Level"), int(info->dpiStage));
    for (int s = 0; s < 5; ++s) {
        const mouse::DpiStage& stage = info->stages[size_t(s)];
        const QString prefix = QStringLiteral("DPI%1_").arg(s + 1);
        turn.answer.insert(prefix + QStringLiteral("X"), int(stage.x));
        turn.answer.insert(prefix + QStringLiteral("Y"), int(stage.y));
        turn.answer.insert(prefix + QStringLiteral("LED_R"), int(stage.red));
        turn.answer.insert(prefix + QStringLiteral("LED_G"), int(stage.green));
        turn.answer.insert(prefix + QStringLiteral("LED_B"), int(stage.blue));
    }
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::startCalibration(Turn& turn)
{
    return m_device.Set_to_Calibration(1, turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

std::optional<uint8_t> MouseBranch::liftOffAfterCalibration(Turn& turn)
{
    const int lod = readInt(turn.command, QStringLiteral("LOD"));
    if (isLiftOff(lod))
        return uint8_t(lod);
    const std::optional<mouse::MouseInformation> info = readInformation(turn);
    if (!info || !isLiftOff(info->liftOff))
        return std::nullopt;
    return info->liftOff;
}

MouseBranch::Outcome MouseBranch::stopCalibration(Turn& turn)
{
    bool ok = m_device.Set_to_Calibration(0, turn.devpath());
    qDebug() << "Current HID path: " << turn.path;
    turn.answer.insert(QStringLiteral("Calib_status"), m_device.Read_Calibration_Status(turn.devpath()));
    const std::optional<uint8_t> lod = liftOffAfterCalibration(turn);
    ok = lod && m_device.Set_LOD_Level(*lod, turn.devpath()) && ok;
    ok = saveSettings({1, 0, 0, 0, 0}, turn.devpath()) && ok;
    ok = answerCalibrationState(turn) && ok;
    return ok ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::saveCalibration(Turn& turn)
{
    const std::optional<uint8_t> lod = liftOffAfterCalibration(turn);
    bool ok = lod && m_device.Set_LOD_Level(*lod, turn.devpath());
    ok = saveSettings({1, 0, 0, 0, 0}, turn.devpath()) && ok;
    ok = answerCalibrationState(turn) && ok;
    return ok ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setReportRate(Turn& turn)
{
    const int wired = readInt(turn.command, QStringLiteral("usb_typeID"));
    const int wireless = readInt(turn.command, QStringLiteral("wifi_typeID"));
    if (!isWiredRateCode(wired) || !isWirelessRateCode(wireless)) {
        qWarning() << "[Set_Report_Rate] usb_typeID or wifi_typeID is not a report-rate code:" << wired << wireless;
        return Outcome::Refused;
    }
    return m_device.Set_Report_Rate(uint8_t(wired), uint8_t(wireless), turn.devpath()) ? Outcome::Success
                                                                                       : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setPairing(Turn& turn)
{
    return m_device.Set_Dongle_to_Pairing_Mode(byteOf(turn.command, QStringLiteral("pairing")), turn.devpath())
        ? Outcome::Success
        : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readBattery(Turn& turn)
{
    const QByteArray answer = m_device.Read_BTL_Percent(turn.devpath());
    if (!mouse::isBatteryAnswer(answer))
        return Outcome::Failure;
    turn.answer.insert(QStringLiteral("BTL_Percent"), int(mouse::answerByte(answer, 5)));
    turn.answer.insert(QStringLiteral("charging_STA"), int(mouse::answerByte(answer, 6)));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::readModelName(Turn& turn)
{
    const QByteArray answer = m_device.Get_Model_Name(turn.devpath());
    if (mouse::answerByte(answer, 0) != 0xC0 || mouse::answerByte(answer, 1) != 0x83)
        return Outcome::Failure;
    turn.answer.insert(QStringLiteral("name"), mouse::decodeModelName(answer, m_device.keyTables()));
    turn.answer.insert(QStringLiteral("mouse_color"), mouse::colourName(mouse::answerByte(answer, 4)));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::setModelName(Turn& turn)
{
    return m_device.Set_Model_Name(turn.devpath()) ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readSerialNumber(Turn& turn)
{
    const bool ok = m_device.Get_Serial_Number(turn.devpath());
    turn.answer.insert(QStringLiteral("SerialNumber"), ok ? m_device.getData().value(QStringLiteral("SerialNumber")) : QString());
    return ok ? Outcome::Success : Outcome::Failure;
}

// The page never sends this; a service tool may, with the text under "SerialNumber".
MouseBranch::Outcome MouseBranch::setSerialNumber(Turn& turn)
{
    const QByteArray serial = readString(turn.command, QStringLiteral("SerialNumber")).toLatin1();
    if (serial.isEmpty() || serial.size() > kMaxSerialLength) {
        qWarning() << "[Set_Serial_Number] SerialNumber must hold 1 to 60 characters:" << serial.size();
        return Outcome::Refused;
    }
    return m_device.Set_Serial_Number(uint8_t(serial.size()), serial, turn.devpath()) ? Outcome::Success
                                                                                      : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setLedOffDelay(Turn& turn)
{
    return m_device.Set_LED_OFF_Delay_Time(byteOf(turn.command, QStringLiteral("delay_minute")), turn.devpath())
        ? Outcome::Success
        : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readLedOffDelay(Turn& turn)
{
    turn.answer.insert(QStringLiteral("Read_Sleep"), m_device.Read_LED_OFF_Delay_Time(turn.devpath()));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::setEcoMode(Turn& turn)
{
    return m_device.Set_ECO_Mode(byteOf(turn.command, QStringLiteral("parameter")), turn.devpath()) ? Outcome::Success
                                                                                                   : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readEcoMode(Turn& turn)
{
    turn.answer.insert(QStringLiteral("Read_ECO"), m_device.Read_ECO_Mode(turn.devpath()));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::saveProfile(Turn& turn)
{
    const QVariantMap& c = turn.command;
    return m_device.Set_Save_Profile(byteOf(c, QStringLiteral("mouse_F")), byteOf(c, QStringLiteral("lighting_F")),
                                     byteOf(c, QStringLiteral("button_F")), byteOf(c, QStringLiteral("macro_F")),
                                     turn.devpath())
        ? Outcome::Success
        : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readPowerSettings(Turn& turn)
{
    turn.answer.insert(QStringLiteral("Read_ECO"), m_device.Read_ECO_Mode(turn.devpath()));
    turn.answer.insert(QStringLiteral("Read_Sleep"), m_device.Read_LED_OFF_Delay_Time(turn.devpath()));
    return Outcome::Success;
}

MouseBranch::Outcome MouseBranch::readFirmwareVersion(Turn& turn)
{
    addFirmwareVersions(turn);
    return turn.answer.contains(QStringLiteral("NXP_FW_L")) ? Outcome::Success : Outcome::Failure;
}

// Every profile's buttons and lighting, then the DPI stages, report rates and lift-off
// distance go back to what the mouse left the factory with, and are made permanent.
bool MouseBranch::restoreFactorySettings(Turn& turn)
{
    bool ok = true;
    for (uint8_t profile = mousecmd::kFirstProfile; profile <= mousecmd::kLastProfile; ++profile)
        ok = m_device.Set_Profile_Default(profile, turn.devpath()) && ok;
    const QVariantMap factory = mousecmd::factoryPerformanceSettings();
    const mousecmd::DpiSettings dpi = mousecmd::dpiSettingsFrom(factory);
    ok = setDpiLevelWithRetry(dpi.quantity, dpi.level, turn.devpath()) && ok;
    QThread::msleep(kDpiPauseMs);
    ok = m_device.Set_DPI_Status(dpi.quantity, dpi.level, dpi.update, dpi.resolutions, dpi.colours, turn.devpath()) && ok;
    ok = m_device.Set_Report_Rate(mousecmd::byteOf(factory, QStringLiteral("usb_typeID")),
                                  mousecmd::byteOf(factory, QStringLiteral("wifi_typeID")), turn.devpath())
        && ok;
    ok = m_device.Set_LOD_Level(mousecmd::byteOf(factory, QStringLiteral("LOD")), turn.devpath()) && ok;
    ok = saveSettings({1, 0, 0, 0, 0}, turn.devpath()) && ok;
    ok = saveSettings({0, 0, 1, 0, 0}, turn.devpath()) && ok;
    return ok;
}
