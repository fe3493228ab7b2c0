#pragma once
// Output reports of every mouse command: arguments in, the 65-byte report out. Nothing here
// talks to a device. Positions in the comments are frame positions; behind a report id
// (receiver, cable) every frame byte sits one place later in the report, over Bluetooth the
// frame is the report. With Framing::None every builder gives 65 zero bytes.
#include "devices/mouse/hid_transport.h"
#include "devices/mouse/mouse_protocol.h"

#include <QByteArray>

#include <array>
#include <optional>

namespace mouse {

using Rgb = std::array<uint8_t, 3>;
// Per DPI stage: X low, X high, Y low, Y high (only the low byte of each value is sent).
using DpiStageResolutions = std::array<std::array<uint16_t, 4>, 5>;
using DpiStageColours = std::array<Rgb, 5>;

// Frame byte of the first byte written for this framing (0 or 1); -1 for Framing::None.
int frameOffset(Framing framing);
// True when `count` frame bytes starting at `frameIndex` fit inside the 65-byte report.
bool frameFits(Framing framing, int frameIndex, int count);

// 0: 0xC0  1: command  2: length asked for (0 for fixed-size answers)  3: 0x00
HidReport buildGetRequest(Framing framing, uint8_t command, uint8_t length = 0);

// 0: 0x40  1: command  2: 0x01  3: 0x00  4: value
// (Set_SelectProfile, Set_Sensor_Snap, Set_LOD_Level, Set_to_Calibration,
//  Set_Dongle_to_Pairing_Mode, Set_LED_OFF_Delay_Time, Set_ECO_Mode)
HidReport buildOneByteSet(Framing framing, uint8_t command, uint8_t value);

// 0: 0xC0  1: 0x06  2: 0x04  3: 0x00  4..7: 0x06 0x01 0x05 0x05
HidReport buildReadMouseInformation(Framing framing);

// 0: 0x40  1: 0x04  2: 0x02  3: 0x00  4: wired rate code  5: wireless rate code
HidReport buildReportRate(Framing framing, uint8_t usbTypeId, uint8_t wifiTypeId);

// 0: 0x40  1: 0x06  2: 0x25  3: DPI quantity  4: current stage  5..40: 0
HidReport buildDpiLevel(Framing framing, uint8_t quantity, uint8_t stage);

// 0: 0x40  1: 0x06  2: 0x25  3: DPI quantity  4: current stage  5: Update_DPI
// 6..25: stages 1-5, four bytes each (X low, X high, Y low, Y high)
// 26..40: stages 1-5, three bytes each (red, green, blue)
HidReport buildDpiStatus(Framing framing, uint8_t quantity, uint8_t stage, uint8_t updateDpi,
                         const DpiStageResolutions& resolutions, const DpiStageColours& colours);

// 0: 0x40  1: 0x15  2: 0x12  3: 0x00  4: brightness
// area k (1-based) at 6k-1 .. 6k+4: mode, function, cycle time, red, green, blue; other areas 0.
// Empty when the area's six bytes would not fit in the report (or area < 1).
std::optional<HidReport> buildArgbOneArea(Framing framing, int area, uint8_t brightness, uint8_t mode,
                                          uint8_t function, uint8_t cycleTime, const Rgb& colour);

// 0: 0x40  1: 0x15  2: 0x13  3: 0x00  4: brightness
// 5..10, 11..16, 17..22: mode, function, cycle time, red, green, blue (the same in all three)
std::optional<HidReport> buildArgbAllAreas(Framing framing, uint8_t brightness, uint8_t mode, uint8_t function,
                                           uint8_t cycleTime, const Rgb& colour);

// 0: 0x40  1: 0x1E  2: 0x28  3: 0x00  4: brightness
// LED i (1-based) at 3i+2, 3i+3, 3i+4: red, green, blue; the other LEDs 0.
// Empty when the LED's bytes would not fit in the report (or index < 1).
std::optional<HidReport> buildDirectColor(Framing framing, int ledIndex, uint8_t brightness, const Rgb& colour);

// 0: 0x40  1: 0x1E  2: 0x28  3: 0x00  4: brightness  5..40: LEDs 1-12, red, green, blue each
HidReport buildDirectColorAll(Framing framing, uint8_t brightness, const Rgb& colour);

// 0: 0x40  1: 0x1A  2: 0x07  3: 0x00  4: d0 (button)  5: d1 (function)  6, 7: 0x00
// 8: d2 (target device)  9: d3 (mouse button or modifier)  10: d4 (key usage id)
HidReport buildProfileButtons(Framing framing, const std::array<uint8_t, 5>& d);

// 0: 0x40  1: 0x60  2: 0x07  3: 0x00  4: 0x40  5: 0x38  6..10: the five bytes given
// (Set_Save_Profile and Save_MacroKeyData: mouse, lighting, button, macro flags, then 0)
HidReport buildSave(Framing framing, const std::array<uint8_t, 5>& flags);

// 0: 0x40  1: 0x62  2: 0x08  3: profile  4..11: the confirmation sequence (two 32-bit
// constants, little-endian) without which the firmware refuses to reset a profile
HidReport buildProfileDefault(Framing framing, uint8_t profile);

// 0: 0x40  1: 0x83  2: 0x3C  3: 0x00  4..63: 0
HidReport buildModelNameSet(Framing framing);

// 0: 0x40  1: 0x84  2: length  3: 0x00  4..: the serial bytes, cut at the end of the report
HidReport buildSerialNumberSet(Framing framing, uint8_t length, const QByteArray& data);

// 0: 0x40  1: macro key  2: chunk length  3: chunk number  4..63: 60 bytes of macro data
// (behind a report id the 65-byte report is exactly full)
HidReport buildMacroChunk(Framing framing, uint8_t macroKey, uint8_t length, uint8_t serialNo,
                          const std::array<uint8_t, 60>& data);

} // namespace mouse
