#pragma once
// The mouse's firmware as the host sees it through any link: it reads one request frame and
// gives the answer the mouse would send, changing its state on the way. This is our own
// reading of the protocol from the device's side; nothing of the host's code is used here.
//
// Frames start with the direction byte (0x40 set, 0xC0 get), then command, length and
// parameter. Set commands are answered with the header echoed and a status at byte 5 (0xAC
// accepted, 0xFA refused); reads with 0xC0, the command, the data length and data from byte 4.
// The macro slots 1..40 are addressed by the command byte itself; a slot whose number is also
// a command of the same direction is reached only as that command.
#include "sim/mouse/firmware_state.h"

#include <array>
#include <cstddef>
#include <optional>

using SimReport = std::array<uint8_t, 64>;

class MouseFirmware {
public:
    explicit MouseFirmware(SimFirmwareState state = factoryFirmwareState());

    std::optional<SimReport> handle(const uint8_t* frame, size_t length);

    SimFirmwareState& state() { return m_state; }
    const SimFirmwareState& state() const { return m_state; }
    // Power off and on: every group falls back to its last saved copy.
    void powerCycle();

    // Unsolicited input reports: battery (0xC0 0x0A 0x09, percent at 5, charging at 6),
    // button events (0xC0 0x07 0x09, nine event slots at 4..12), and the error report
    // (0xC0 0x09 0x01, 0xDD at 4).
    SimReport batteryReport() const;
    static SimReport buttonEventReport(int position, uint8_t code);
    static SimReport errorReport();
    // A press of button 1..9: what the firmware does on its own (profile or DPI cycle) and
    // the event it reports, if the button's function reports one.
    std::optional<SimReport> pressButton(int button);

private:
    struct Frame {
        const uint8_t* bytes;
        size_t length;
        uint8_t at(size_t i) const { return i < length ? bytes[i] : 0; }
        uint16_t word(size_t i) const { return uint16_t(at(i) | (at(i + 1) << 8)); }
    };

    SimReport handleSet(const Frame& f);
    std::optional<SimReport> handleGet(const Frame& f);
    bool applySet(const Frame& f);
    bool applyDpi(const Frame& f);
    bool applyLighting(const Frame& f);
    bool applyButton(const Frame& f);
    bool applySave(const Frame& f);
    bool applyProfileDefault(const Frame& f);
    bool applyMacroChunk(const Frame& f);
    void updateCalibration();
    SimLighting& currentLighting();
    SimProfileButtons& currentButtons();

    SimFirmwareState m_state;
};
