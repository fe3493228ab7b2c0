#pragma once
// What an unsolicited input report of the mouse's vendor interface means to the listener.
// Pure functions: report bytes in, meaning out.
#include <QByteArray>

#include <cstdint>
#include <optional>

// Input report as the listener reads it (64 bytes, offsets from 0; missing bytes read as 0):
//   error        C0 09 01 .. DD                     tested first
//   notification C0 kk 09 ..                        kk = the kind
//     battery    C0 0A 09 .. pp cc                  [5] percent, [6] charging (1) or not (0)
//     button     C0 07 09 .. s4 s5 s6 .. s12        [4..12] nine event slots
enum class ReportKind { None, DeviceError, Battery, ButtonEvent };

ReportKind classifyReport(const QByteArray& report);

// Event codes a button slot carries.
constexpr uint8_t kEventProfileCycle = 0x41;
constexpr uint8_t kEventDpiChange = 0x47;
constexpr uint8_t kEventLaunch = 0xB0;

constexpr int kFirstSlot = 4;
constexpr int kLastSlot = 12;

// The mouse button whose event a slot carries: 4 → 1, 5 → 2, 6 → 3, 7 → 4, 8 → 5, 9 → 0,
// 10 → 6, 11 → 7, 12 → 9 (there is no button 8); -1 outside the slots.
int buttonAtSlot(int position);

struct SlotEvent {
    int position = 0;
    int button = 0;
    uint8_t code = 0;
};

// The first slot, in report order, that holds one of the three event codes; other values
// (0x00 included) are skipped.
std::optional<SlotEvent> firstSlotEvent(const QByteArray& report);

// Byte `index` of a report as an unsigned number; 0 past its end.
uint8_t reportByte(const QByteArray& report, int index);
