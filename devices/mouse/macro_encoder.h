#pragma once
// Macros as the mouse stores them: one 1200-byte buffer per macro key, written in 60-byte
// chunks. Pure functions: the page's action list in, bytes out.
#include <QList>
#include <QString>
#include <QVariantList>

#include <array>
#include <cstdint>
#include <functional>

namespace mouse {

constexpr int kMacroBufferSize = 1200;
constexpr int kMacroChunkSize = 60;
constexpr int kMacroMaxChunks = kMacroBufferSize / kMacroChunkSize;
constexpr int kMacroHeaderSize = 6;
constexpr int kMacroRecordSize = 6;
// The firmware plays at most 198 records (6 + 198 * 6 = 1194 bytes; the last 6 stay 0).
constexpr int kMacroMaxRecords = 198;
// A keystroke waits this long (ms, one byte) before it is played; 100 unless the page says.
constexpr int kMacroDefaultDelay = 100;
constexpr int kMacroMaxDelay = 255;

enum class MacroDevice : uint8_t { MouseClick = 0, Keystroke = 1, Consumer = 2 };

struct MacroAction {
    MacroDevice device = MacroDevice::MouseClick;
    uint8_t usage = 0; // keystrokes: HID keyboard usage id of a press, 0 for a release
    uint8_t delay = kMacroDefaultDelay; // keystrokes: pause in ms before the step plays
};

using MacroBuffer = std::array<uint8_t, kMacroBufferSize>;
using MacroChunk = std::array<uint8_t, kMacroChunkSize>;

struct EncodedMacro {
    MacroBuffer bytes{};
    int records = 0;  // actions encoded (at most kMacroMaxRecords)
    int dropped = 0;  // actions past the end of the buffer, left out
};

// The page's entries: "deviceText" ("Mouse Clicks", "Keystroke", "Consumer"), "actionText"
// ("Release" for a key release, anything else a press), "key" (a key name, looked up with
// usageOf; a name without a usage id gives 0) and "delay" (ms, optional). Entries of another
// device are skipped and counted in *unknown.
QList<MacroAction> macroActionsFrom(const QVariantList& actions, const std::function<int(const QString&)>& usageOf,
                                    int* unknown = nullptr);

// Why the page's entries cannot be sent as one macro (more steps than the buffer holds, a
// delay that is not a whole number of 0 to 255 ms); empty when they can.
QString macroLimitProblem(const QVariantList& actions);

// Buffer layout:
//   0: number of records   1: data1   2, 3: records * 6 (little-endian)   4, 5: 0
//   6 + 6n .. 11 + 6n: record n
// Record: 0: device type (0 mouse click, 1 keystroke, 2 consumer)  1: 0
//         2: usage id (keystrokes; 0 for a release)  3: 0  4: delay (keystrokes)  5: 0
// Mouse-click and consumer records carry only their type byte. The rest of the buffer is 0.
EncodedMacro encodeMacro(const QList<MacroAction>& actions, uint8_t data1);

// Chunks that carry the header and every record: 1 for up to nine records, at most 20.
int macroChunkCount(int records);
// Bytes 60n .. 60n + 59 of the buffer (zeros past its end).
MacroChunk macroChunk(const MacroBuffer& buffer, int index);

} // namespace mouse
