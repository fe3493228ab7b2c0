#pragma once
// What the mouse page's values mean on the wire: pure conversions from a command map to the
// bytes of a mouse command. Numbers above a byte (or a 16-bit value) are logged and sent as 0,
// never wrapped; values the firmware has no meaning for are refused before anything is sent.
#include "devices/mouse/mouse_frames.h"

#include <QVariantMap>

#include <array>
#include <optional>

namespace mousecmd {

constexpr int kFirstProfile = 1;
constexpr int kLastProfile = 5;
constexpr int kLastMacroKey = 40;
// The page's macro numbers (macro_F) land in the mouse's macro keys from 31 on.
constexpr int kMacroKeyOffset = 31;

bool isMouseProfile(int profile);

// The key's integer (0 when missing or not a number) narrowed with checkUint8.
uint8_t byteOf(const QVariantMap& command, const QString& key);

// Button record, the five bytes of Set_CurrentProfileButtons:
//   d0 profileButtonsData0: button 1..9
//   d1 profileButtonsData1: 0 disable, 1..40 macro key, 64 re-defined key, 65 profile cycle,
//                           66 DPI cycle, 255 default
//   d2 profileButtonsData4: target of a re-defined key (0 mouse, 1 keyboard, 2 host action)
//   d3 profileButtonsData5: mouse button, or the modifier of a keyboard key
//   d4 profileButtonsData6: the key's usage id
using ButtonRecord = std::array<uint8_t, 5>;
ButtonRecord buttonRecordFrom(const QVariantMap& command);
bool isValidButtonRecord(const ButtonRecord& record);

// The record that makes the mouse report a button to the host (event 0xB0), which then starts
// the button's launch action: re-defined key, target 2, the launch kind (2 program, 3 web
// address, 4 single key).
ButtonRecord launchRecord(uint8_t button, uint8_t launch);

// DPI table of Set_DPI_Status from DPI_Quantity, DPI_Level, Update_DPI, DPIn_X, DPIn_Y and
// DPIn_LED_R/G/B (n = 1..5). Resolutions are split into low and high byte.
struct DpiSettings {
    uint8_t quantity = 0;
    uint8_t level = 0;
    uint8_t update = 0;
    mouse::DpiStageResolutions resolutions{};
    mouse::DpiStageColours colours{};
};
DpiSettings dpiSettingsFrom(const QVariantMap& command);
// 1 to 5 stages, the current stage one of them.
bool isValidDpiSelection(uint8_t quantity, uint8_t level);

// What the mouse leaves the factory with, in the keys of the DPI, report-rate and lift-off
// commands: five stages of 400, 800, 1600, 3200 and 6400 dots in red, green, blue, yellow and
// magenta, the second one current; 1000 reports a second on every link; 1 mm lift-off.
QVariantMap factoryPerformanceSettings();

// Lighting values of codes 30, 31, 32 and 100.
struct LightingValues {
    uint8_t brightness = 0;
    uint8_t mode = 0;
    uint8_t function = 0;
    uint8_t cycleTime = 0;
    mouse::Rgb colour{};
};
LightingValues lightingFrom(const QVariantMap& command);

// The macro key of the page's macro number (macro_F): macro_F + 31, refused outside 1..40.
std::optional<uint8_t> macroKeyFor(int macroF);

} // namespace mousecmd
