// The read commands of the mouse.
#include "devices/mouse/dev_mouse.h"

#include "devices/mouse/guarded_call.h"
#include "devices/mouse/mouse_answers.h"

#include <QDebug>

using namespace mouse;

namespace {

QByteArray bytesOrEmpty(const std::optional<HidAnswer>& answer)
{
    return answer ? answer->bytes : QByteArray();
}

} // namespace

bool DEV_MOUSE::Get_CurrentProfileButtons(const char* devpath)
{
    const char* tag = "Get_CurrentProfileButtons";
    return guardedCall(tag, false, [&] {
        return readBlock(tag, cmd::ProfileButtons, devpath, m_profileButtons.data(), int(m_profileButtons.size()));
    });
}

bool DEV_MOUSE::Get_CurrentProfileButtons_MacroKeyInfo(const char* devpath)
{
    const char* tag = "Get_CurrentProfileButtons_MacroKeyInfo";
    return guardedCall(tag, false, [&] {
        std::array<uint8_t, 9> values{};
        if (!readBlock(tag, cmd::MacroKeyInfo, devpath, values.data(), int(values.size())))
            return false;
        QVariantList list;
        for (uint8_t value : values)
            list.append(int(value));
        m_data.insert(QStringLiteral("resultList"), list);
        return true;
    });
}

bool DEV_MOUSE::Get_CurrentProfileButtons_RedefineKeyInfo(const char* devpath)
{
    const char* tag = "Get_CurrentProfileButtons_RedefineKeyInfo";
    return guardedCall(tag, false, [&] {
        return readBlock(tag, cmd::RedefineKeyInfo, devpath, m_redefinedKeys.data(), int(m_redefinedKeys.size()));
    });
}

bool DEV_MOUSE::Get_ARGB_Function_Mode(const char* devpath)
{
    const char* tag = "Get_ARGB_Function_Mode";
    return guardedCall(tag, false,
                       [&] { return readBlock(tag, cmd::ArgbFunction, devpath, m_argb.data(), int(m_argb.size())); });
}

bool DEV_MOUSE::Get_Serial_Number(const char* devpath)
{
    const char* tag = "Get_Serial_Number";
    return guardedCall(tag, false, [&] {
        const std::optional<HidAnswer> answer =
            runCommand(tag, devpath, [](Framing f) { return buildGetRequest(f, cmd::SerialNumber, 0x3C); });
        if (!answer)
            return false;
        if (answer->length <= 5) {
            qWarning() << "[Get_Serial_Number] buf_out size too small";
            return false;
        }
        const QString serial = serialNumberText(answer->bytes);
        m_data.insert(QStringLiteral("SerialNumber"), serial);
        qDebug() << "[Get_Serial_Number] Serial Number:" << serial;
        return true;
    });
}

int DEV_MOUSE::Read_Calibration_Status(const char* devpath)
{
    const char* tag = "Read_Calibration_Status";
    return guardedCall(tag, 255, [&] {
        return readStatus(tag, cmd::Calibration, devpath, 255,
                          "Result Status(0:Finished / 1:Running / 2:Timeout Fail):");
    });
}

int DEV_MOUSE::Read_ECO_Mode(const char* devpath)
{
    const char* tag = "Read_ECO_Mode";
    return guardedCall(tag, 0, [&] { return readStatus(tag, cmd::EcoMode, devpath, 0, "Read_ECO_minute:"); });
}

int DEV_MOUSE::Read_LED_OFF_Delay_Time(const char* devpath)
{
    const char* tag = "Read_LED_OFF_Delay_Time";
    return guardedCall(tag, 0, [&] { return readStatus(tag, cmd::LedOffDelay, devpath, 0, "Sleep_minute:"); });
}

HidAnswer DEV_MOUSE::mouseInformationAnswer(const char* devpath)
{
    HidAnswer answer = readRecord("Read_Mouse_Information", devpath, [](Framing f) { return buildReadMouseInformation(f); });
    if (answer.bytes.isEmpty())
        return answer;
    const uint8_t profile = answerByte(answer.bytes, 8);
    if (profile < 1 || profile > 5)
        qDebug() << "ProfileNo:" << profile;
    const uint8_t stage = answerByte(answer.bytes, 13);
    if (stage > 4)
        qDebug() << "DPI_Level:" << stage;
    return answer;
}

HidAnswer DEV_MOUSE::batteryAnswer(const char* devpath)
{
    HidAnswer answer = readRecord("Read_BTL_Percent", devpath, [](Framing f) { return buildGetRequest(f, cmd::Battery); });
    if (!answer.bytes.isEmpty())
        qDebug() << "Battery:" << answerByte(answer.bytes, 5);
    return answer;
}

HidAnswer DEV_MOUSE::firmwareVersionAnswer(const char* devpath)
{
    return runCommand("Get_Firmware_Version", devpath,
                      [](Framing f) { return buildGetRequest(f, cmd::FirmwareVersion); }, true)
        .value_or(HidAnswer{QByteArray(), 0});
}

HidAnswer DEV_MOUSE::mcuUuidAnswer(const char* devpath)
{
    return runCommand("Get_MCU_UUID", devpath, [](Framing f) { return buildGetRequest(f, cmd::McuUuid); })
        .value_or(HidAnswer{QByteArray(), 0});
}

HidAnswer DEV_MOUSE::modelNameAnswer(const char* devpath)
{
    const std::optional<HidAnswer> answer =
        runCommand("Get_Model_Name", devpath, [](Framing f) { return buildGetRequest(f, cmd::ModelName, 0x3C); });
    if (answer && answer->length == 0)
        qCritical() << "[Get_Model_Name] Run_Command_Line failed!";
    return answer.value_or(HidAnswer{QByteArray(), 0});
}

QByteArray DEV_MOUSE::Read_Mouse_Information(const char* devpath)
{
    return guardedCall("Read_Mouse_Information", QByteArray(), [&] { return mouseInformationAnswer(devpath).bytes; });
}

QByteArray DEV_MOUSE::Read_BTL_Percent(const char* devpath)
{
    return guardedCall("Read_BTL_Percent", QByteArray(), [&] { return batteryAnswer(devpath).bytes; });
}

QByteArray DEV_MOUSE::Get_Firmware_Version(const char* devpath)
{
    return guardedCall("Get_Firmware_Version", QByteArray(), [&] { return firmwareVersionAnswer(devpath).bytes; });
}

QByteArray DEV_MOUSE::Get_MCU_UUID(const char* devpath)
{
    return guardedCall("Get_MCU_UUID", QByteArray(), [&] { return mcuUuidAnswer(devpath).bytes; });
}

QByteArray DEV_MOUSE::Get_Model_Name(const char* devpath)
{
    return guardedCall("Get_Model_Name", QByteArray(), [&] { return modelNameAnswer(devpath).bytes; });
}

QByteArray DEV_MOUSE::Get_MacroKeyData(uint8_t macroKey, const char* devpath)
{
    const char* tag = "Get_MacroKeyData";
    return guardedCall(tag, QByteArray(), [&] {
        const std::optional<HidAnswer> answer =
            runCommand(tag, devpath, [&](Framing f) { return buildGetRequest(f, macroKey); });
        if (answer && answer->length > 0)
            qDebug() << "[Get_MacroKeyData] Data size:" << answer->length;
        else if (answer)
            qWarning() << "[Get_MacroKeyData] No data returned";
        return bytesOrEmpty(answer);
    });
}
