// The set commands of the mouse: build the frame, exchange, judge the answer.
#include "devices/mouse/dev_mouse.h"

#include "devices/mouse/guarded_call.h"

#include <QDebug>

using namespace mouse;

bool DEV_MOUSE::Set_SelectProfile(uint8_t profileNo, const char* devpath)
{
    const char* tag = "Set_SelectProfile";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::SelectProfile, devpath,
                      [&](Framing f) { return buildOneByteSet(f, cmd::SelectProfile, profileNo); });
    });
}

bool DEV_MOUSE::Set_Report_Rate(uint8_t usb_typeID, uint8_t wifi_typeID, const char* devpath)
{
    const char* tag = "Set_Report_Rate";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ReportRate, devpath,
                      [&](Framing f) { return buildReportRate(f, usb_typeID, wifi_typeID); });
    });
}

bool DEV_MOUSE::Set_Sensor_Snap(uint8_t snap, const char* devpath)
{
    const char* tag = "Set_Sensor_Snap";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::SensorSnap, devpath,
                      [&](Framing f) { return buildOneByteSet(f, cmd::SensorSnap, snap); }, SetCheck::AckUntagged);
    });
}

bool DEV_MOUSE::Set_DPI_Level(uint8_t DPI_Quantity, uint8_t DPI_Level, const char* devpath)
{
    const char* tag = "Set_DPI_Level";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Dpi, devpath, [&](Framing f) { return buildDpiLevel(f, DPI_Quantity, DPI_Level); });
    });
}

bool DEV_MOUSE::Set_DPI_Status(uint8_t DPI_Quantity, uint8_t DPI_Level, uint8_t Update_DPI,
                               const DpiStageResolutions& DPI_XY, const DpiStageColours& DPI_RGB, const char* devpath)
{
    const char* tag = "Set_DPI_Status";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Dpi, devpath,
                      [&](Framing f) { return buildDpiStatus(f, DPI_Quantity, DPI_Level, Update_DPI, DPI_XY, DPI_RGB); },
                      SetCheck::AckUntagged);
    });
}

bool DEV_MOUSE::Set_LOD_Level(uint8_t LOD, const char* devpath)
{
    const char* tag = "Set_LOD_Level";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::LiftOffDistance, devpath,
                      [&](Framing f) { return buildOneByteSet(f, cmd::LiftOffDistance, LOD); });
    });
}

bool DEV_MOUSE::Set_to_Calibration(uint8_t calib_control, const char* devpath)
{
    const char* tag = "Set_to_Calibration";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Calibration, devpath,
                      [&](Framing f) { return buildOneByteSet(f, cmd::Calibration, calib_control); });
    });
}

bool DEV_MOUSE::Set_Profile_Default(uint8_t Profile, const char* devpath)
{
    const char* tag = "Set_Profile_Default";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ProfileDefault, devpath, [&](Framing f) { return buildProfileDefault(f, Profile); });
    });
}

bool DEV_MOUSE::Set_Dongle_to_Pairing_Mode(uint8_t pairing, const char* devpath)
{
    const char* tag = "Set_Dongle_to_Pairing_Mode";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Pairing, devpath, [&](Framing f) { return buildOneByteSet(f, cmd::Pairing, pairing); });
    });
}

bool DEV_MOUSE::Set_Model_Name(const char* devpath)
{
    const char* tag = "Set_Model_Name";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ModelName, devpath, [](Framing f) { return buildModelNameSet(f); });
    });
}

bool DEV_MOUSE::Set_Serial_Number(uint8_t length_L, const QByteArray& Data, const char* devpath)
{
    const char* tag = "Set_Serial_Number";
    return guardedCall(tag, false, [&] {
        if (Data.isEmpty() || length_L == 0) {
            qWarning() << "[Set_Serial_Number] Data is null or length is 0!";
            return false;
        }
        return runSet(tag, cmd::SerialNumber, devpath,
                      [&](Framing f) { return buildSerialNumberSet(f, length_L, Data); });
    });
}

bool DEV_MOUSE::Set_LED_OFF_Delay_Time(uint8_t delay_minute, const char* devpath)
{
    const char* tag = "Set_LED_OFF_Delay_Time";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::LedOffDelay, devpath,
                      [&](Framing f) { return buildOneByteSet(f, cmd::LedOffDelay, delay_minute); });
    });
}

bool DEV_MOUSE::Set_ECO_Mode(uint8_t parameter, const char* devpath)
{
    const char* tag = "Set_ECO_Mode";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::EcoMode, devpath,
                      [&](Framing f) { return buildOneByteSet(f, cmd::EcoMode, parameter); });
    });
}

bool DEV_MOUSE::Set_CurrentProfileButtons(const std::array<uint8_t, 5>& d, const char* devpath)
{
    const char* tag = "Set_CurrentProfileButtons";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ProfileButtonsSet, devpath, [&](Framing f) { return buildProfileButtons(f, d); },
                      SetCheck::AckUntagged);
    });
}

bool DEV_MOUSE::Set_MacroKeyData(uint8_t macroKey, uint8_t b_length, uint8_t serial_No,
                                 const std::array<uint8_t, 60>& data, const char* devpath)
{
    const char* tag = "Set_MacroKeyData";
    return guardedCall(tag, false, [&] {
        return runSet(tag, macroKey, devpath,
                      [&](Framing f) { return buildMacroChunk(f, macroKey, b_length, serial_No, data); },
                      SetCheck::MacroWrite);
    });
}

bool DEV_MOUSE::Set_Save_Profile(uint8_t mouse_F, uint8_t lighting_F, uint8_t button_F, uint8_t macro_F,
                                 const char* devpath)
{
    const char* tag = "Set_Save_Profile";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Save, devpath,
                      [&](Framing f) { return buildSave(f, {mouse_F, lighting_F, button_F, macro_F, 0}); });
    });
}

bool DEV_MOUSE::Save_MacroKeyData(uint8_t mouse_F, uint8_t lighting_F, uint8_t button_F, uint8_t macro_F,
                                  const char* devpath)
{
    const char* tag = "Save_MacroKeyData";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Save, devpath,
                      [&](Framing f) { return buildSave(f, {mouse_F, lighting_F, button_F, macro_F, 0}); },
                      SetCheck::MacroSave);
    });
}

bool DEV_MOUSE::Save_Settings(const std::array<uint8_t, 5>& flags, const char* devpath)
{
    const char* tag = "Save_Settings";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::Save, devpath, [&](Framing f) { return buildSave(f, flags); }, SetCheck::SettingsSave,
                      true);
    });
}

bool DEV_MOUSE::Set_ARGB_Direct_Color(int LED_index, uint8_t brightness, const Rgb& LED_Color, const char* devpath)
{
    const char* tag = "Set_ARGB_Direct_Color";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ArgbDirectColor, devpath, [&](Framing f) {
            const std::optional<HidReport> report = buildDirectColor(f, LED_index, brightness, LED_Color);
            if (!report)
                qWarning() << "[Set_ARGB_Direct_Color] LED_index out of range!";
            return report;
        });
    });
}

bool DEV_MOUSE::Set_ARGB_Direct_Color_All(uint8_t brightness, const Rgb& LED_Color, const char* devpath)
{
    const char* tag = "Set_ARGB_Direct_Color_All";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ArgbDirectColor, devpath,
                      [&](Framing f) { return buildDirectColorAll(f, brightness, LED_Color); });
    });
}

bool DEV_MOUSE::Set_ARGB_Function_1_Area(int LED_area, uint8_t brightness, uint8_t mode, uint8_t function,
                                         uint8_t cycle_time, const Rgb& LED_Color, const char* devpath)
{
    const char* tag = "Set_ARGB_Function_1_Area";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ArgbFunction, devpath, [&](Framing f) {
            const std::optional<HidReport> report =
                buildArgbOneArea(f, LED_area, brightness, mode, function, cycle_time, LED_Color);
            if (!report)
                qWarning() << "[Set_ARGB_Function_1_Area] LED_area out of range!";
            return report;
        });
    });
}

bool DEV_MOUSE::Set_ARGB_Function_All_Area(uint8_t brightness, uint8_t mode, uint8_t function, uint8_t cycle_time,
                                           uint8_t R_Color, uint8_t G_Color, uint8_t B_Color, const char* devpath)
{
    const char* tag = "Set_ARGB_Function_All_Area";
    return guardedCall(tag, false, [&] {
        return runSet(tag, cmd::ArgbFunction, devpath, [&](Framing f) {
            const std::optional<HidReport> report =
                buildArgbAllAreas(f, brightness, mode, function, cycle_time, {R_Color, G_Color, B_Color});
            if (!report)
                qWarning() << "[Set_ARGB_Function_All_Area] Buffer overflow prevented!";
            return report;
        });
    });
}
