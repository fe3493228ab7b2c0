#include "sim/mouse/mouse_firmware.h"

#include <algorithm>

namespace {

constexpr uint8_t kDirectionSet = 0x40;
constexpr uint8_t kDirectionGet = 0xC0;
constexpr uint8_t kAccepted = 0xAC;
constexpr uint8_t kRefused = 0xFA;

// The eight bytes that must accompany a profile reset.
constexpr uint8_t kResetConfirmation[8] = {0xF0, 0x0F, 0xAA, 0x55, 0x3C, 0x5A, 0xC3, 0xA5};

// Command bytes 1..40 that no command of the request's direction claims address a macro slot.
bool isMacroSlot(uint8_t id)
{
    return id >= 1 && id <= kSimMacroSlots;
}

bool isWiredRate(uint8_t code)
{
    return code == 1 || code == 2 || code == 4 || code == 8 || code == 16 || code == 32;
}

bool isWirelessRate(uint8_t code)
{
    return code == 8 || code == 16 || code == 32;
}

// Report position of the event slot of each button (button 8 has none).
int eventPosition(int button)
{
    static const int positions[10] = {9, 4, 5, 6, 7, 8, 10, 11, -1, 12};
    return button >= 0 && button <= 9 ? positions[button] : -1;
}

SimReport readAnswer(uint8_t command, uint8_t dataLength)
{
    SimReport a{};
    a[0] = kDirectionGet;
    a[1] = command;
    a[2] = dataLength;
    return a;
}

} // namespace

MouseFirmware::MouseFirmware(SimFirmwareState state) : m_state(std::move(state)) {}

std::optional<SimReport> MouseFirmware::handle(const uint8_t* frame, size_t length)
{
    const Frame f{frame, length};
    if (f.at(0) == kDirectionSet)
        return handleSet(f);
    if (f.at(0) == kDirectionGet)
        return handleGet(f);
    return std::nullopt; // not a request of this protocol: the firmware stays silent
}

SimReport MouseFirmware::handleSet(const Frame& f)
{
    SimReport a{};
    for (size_t i = 0; i < 4; ++i)
        a[i] = f.at(i);
    a[5] = applySet(f) ? kAccepted : kRefused;
    return a;
}

bool MouseFirmware::applySet(const Frame& f)
{
    SimMouseSettings& mouse = m_state.live.mouse;
    const uint8_t id = f.at(1);
    const uint8_t value = f.at(4);
    switch (id) {
    case 0x03:
        if (value < 1 || value > 5)
            return false;
        mouse.profile = value;
        return true;
    case 0x04:
        if (!isWiredRate(f.at(4)) || !isWirelessRate(f.at(5)))
            return false;
        mouse.wiredRateCode = f.at(4);
        mouse.wirelessRateCode = f.at(5);
        return true;
    case 0x05:
        if (value > 1)
            return false;
        mouse.snap = value;
        return true;
    case 0x06: return applyDpi(f);
    case 0x07:
        if (value < 1 || value > 3)
            return false;
        mouse.liftOff = value;
        return true;
    case 0x08:
        if (value == 1) {
            m_state.calibration = SimCalibration::Running;
            m_state.calibrationStarted = std::chrono::steady_clock::now();
        } else {
            updateCalibration();
            if (m_state.calibration == SimCalibration::Running)
                m_state.calibration = SimCalibration::TimedOut; // stopped before it could finish
        }
        return value <= 1;
    case 0x09:
        m_state.pairing = value;
        return value <= 1;
    case 0x11: mouse.ledOffMinutes = value; return true;
    case 0x12: mouse.ecoMinutes = value; return true;
    case 0x15: return applyLighting(f);
    case 0x1A: return applyButton(f);
    case 0x1E:
        if (f.at(2) != 0x28)
            return false;
        m_state.live.direct.brightness = f.at(4);
        for (size_t i = 0; i < m_state.live.direct.leds.size(); ++i)
            m_state.live.direct.leds[i] = f.at(5 + i);
        return true;
    case 0x60: return applySave(f);
    case 0x62: return applyProfileDefault(f);
    case 0x83:
        if (f.at(2) != 0x3C)
            return false;
        m_state.colourCode = f.at(4);
        m_state.modelName.clear();
        for (size_t i = 5; i < 64 && f.at(i) != 0; ++i)
            m_state.modelName.append(char(f.at(i)));
        return true;
    case 0x84: {
        const size_t length = f.at(2);
        if (length == 0)
            return false;
        m_state.serialNumber.clear();
        for (size_t i = 0; i < length && 4 + i < f.length && 4 + i < 64; ++i)
            m_state.serialNumber.append(char(f.at(4 + i)));
        return true;
    }
    default:
        return isMacroSlot(id) && applyMacroChunk(f);
    }
}

// Quantity in the parameter byte, the stage at 4; a frame with a stage table (6..40 not all
// zero) also replaces the resolutions and colours. Stages in use need at least 50 dots.
bool MouseFirmware::applyDpi(const Frame& f)
{
    const uint8_t quantity = f.at(3);
    const uint8_t stage = f.at(4);
    if (quantity < 1 || quantity > 5 || stage >= quantity)
        return false;
    bool hasTable = false;
    for (size_t i = 6; i <= 40; ++i)
        hasTable = hasTable || f.at(i) != 0;
    std::array<SimDpiStage, 5> stages = m_state.live.mouse.stages;
    if (hasTable) {
        for (size_t s = 0; s < 5; ++s) {
            stages[s].x = f.word(6 + 4 * s);
            stages[s].y = f.word(8 + 4 * s);
            stages[s].red = f.at(26 + 3 * s);
            stages[s].green = f.at(27 + 3 * s);
            stages[s].blue = f.at(28 + 3 * s);
            if (s < quantity && (stages[s].x < 50 || stages[s].y < 50))
                return false;
        }
    }
    SimMouseSettings& mouse = m_state.live.mouse;
    mouse.dpiQuantity = quantity;
    mouse.dpiStage = stage;
    mouse.stages = stages;
    if (hasTable)
        mouse.dpiUpdateFlag = f.at(5);
    return true;
}

// Length 0x13 sets all three areas; 0x12 updates the areas whose mode byte is set.
bool MouseFirmware::applyLighting(const Frame& f)
{
    const uint8_t length = f.at(2);
    if (length != 0x12 && length != 0x13)
        return false;
    for (size_t area = 0; area < 3; ++area) {
        if (f.at(5 + 6 * area) > 8)
            return false;
    }
    SimLighting& lighting = currentLighting();
    lighting[0] = f.at(4);
    for (size_t area = 0; area < 3; ++area) {
        const size_t at = 5 + 6 * area;
        if (length == 0x12 && f.at(at) == 0)
            continue;
        for (size_t i = 0; i < 6; ++i)
            lighting[1 + 6 * area + i] = f.at(at + i);
    }
    return true;
}

// 4: button 1..9  5: function  8, 9, 10: target device, mouse button or modifier, key.
bool MouseFirmware::applyButton(const Frame& f)
{
    const uint8_t button = f.at(4);
    if (button < 1 || button > 9)
        return false;
    SimProfileButtons& buttons = currentButtons();
    const size_t index = size_t(button - 1);
    buttons.codes[index] = f.at(5);
    for (size_t i = 0; i < 3; ++i)
        buttons.redefined[3 * index + i] = f.at(8 + i);
    return true;
}

// 4, 5: 0x40 0x38  6: mouse settings  7: lighting  8: buttons  9: macros  10: reserved
bool MouseFirmware::applySave(const Frame& f)
{
    if (f.at(4) != 0x40 || f.at(5) != 0x38)
        return false;
    for (size_t i = 0; i < 5; ++i)
        m_state.lastSaveFlags[i] = f.at(6 + i);
    ++m_state.saveCount;
    SimSettings& saved = m_state.saved;
    const SimSettings& live = m_state.live;
    if (f.at(6))
        saved.mouse = live.mouse;
    if (f.at(7)) {
        saved.lighting = live.lighting;
        saved.direct = live.direct;
    }
    if (f.at(8))
        saved.buttons = live.buttons;
    if (f.at(9))
        saved.macros = live.macros;
    return true;
}

bool MouseFirmware::applyProfileDefault(const Frame& f)
{
    const uint8_t profile = f.at(3);
    if (profile < 1 || profile > 5)
        return false;
    for (size_t i = 0; i < 8; ++i) {
        if (f.at(4 + i) != kResetConfirmation[i])
            return false;
    }
    m_state.live.buttons[size_t(profile - 1)] = factoryButtons();
    m_state.live.lighting[size_t(profile - 1)] = factoryLighting(profile);
    return true;
}

// Command byte = slot, 2: length, 3: chunk number; 4..63: the chunk's 60 bytes.
bool MouseFirmware::applyMacroChunk(const Frame& f)
{
    const uint8_t chunk = f.at(3);
    if (chunk >= kSimMacroChunks)
        return false;
    SimMacroSlot& slot = m_state.live.macros[size_t(f.at(1) - 1)];
    for (size_t i = 0; i < size_t(kSimMacroChunk); ++i)
        slot.bytes[size_t(chunk) * kSimMacroChunk + i] = f.at(4 + i);
    slot.length = f.at(2);
    slot.chunksWritten |= 1u << chunk;
    return true;
}

std::optional<SimReport> MouseFirmware::handleGet(const Frame& f)
{
    const uint8_t id = f.at(1);
    const SimMouseSettings& mouse = m_state.live.mouse;
    SimReport a{};
    switch (id) {
    case 0x02:
        a = readAnswer(id, 9);
        std::copy(currentButtons().codes.begin(), currentButtons().codes.end(), a.begin() + 4);
        return a;
    case 0x03:
        a = readAnswer(id, 9);
        for (size_t i = 0; i < 9; ++i) {
            const uint8_t code = currentButtons().codes[i];
            a[4 + i] = isMacroSlot(code) ? code : 0;
        }
        return a;
    case 0x04:
        a = readAnswer(id, 27);
        std::copy(currentButtons().redefined.begin(), currentButtons().redefined.end(), a.begin() + 4);
        return a;
    case 0x06:
        a = readAnswer(id, 0x30);
        a[4] = uint8_t(m_state.controllerFirmware & 0xFF);
        a[5] = uint8_t(m_state.controllerFirmware >> 8);
        a[6] = mouse.dpiQuantity;
        a[8] = mouse.profile;
        a[9] = mouse.wiredRateCode;
        a[10] = mouse.wirelessRateCode;
        a[11] = mouse.snap;
        a[12] = mouse.liftOff;
        a[13] = mouse.dpiStage;
        for (size_t s = 0; s < 5; ++s) {
            const SimDpiStage& stage = mouse.stages[s];
            const size_t at = 14 + 7 * s;
            a[at] = uint8_t(stage.x & 0xFF);
            a[at + 1] = uint8_t(stage.x >> 8);
            a[at + 2] = uint8_t(stage.y & 0xFF);
            a[at + 3] = uint8_t(stage.y >> 8);
            a[at + 4] = stage.red;
            a[at + 5] = stage.green;
            a[at + 6] = stage.blue;
        }
        return a;
    case 0x08:
        updateCalibration();
        a = readAnswer(id, 1);
        a[4] = uint8_t(m_state.calibration);
        return a;
    case 0x0A:
        return batteryReport();
    case 0x11:
        a = readAnswer(id, 1);
        a[4] = mouse.ledOffMinutes;
        return a;
    case 0x12:
        a = readAnswer(id, 1);
        a[4] = mouse.ecoMinutes;
        return a;
    case 0x15:
        a = readAnswer(id, 0x13);
        std::copy(currentLighting().begin(), currentLighting().end(), a.begin() + 4);
        return a;
    case 0x81:
        a = readAnswer(id, 4);
        a[4] = uint8_t(m_state.controllerFirmware & 0xFF);
        a[5] = uint8_t(m_state.controllerFirmware >> 8);
        a[6] = uint8_t(m_state.radioFirmware & 0xFF);
        a[7] = uint8_t(m_state.radioFirmware >> 8);
        return a;
    case 0x82:
        a = readAnswer(id, 0x10);
        std::copy(m_state.uuid.begin(), m_state.uuid.end(), a.begin() + 4);
        return a;
    case 0x83:
        a = readAnswer(id, 0x3C);
        a[4] = m_state.colourCode;
        for (int i = 0; i < m_state.modelName.size() && 5 + i < 64; ++i)
            a[size_t(5 + i)] = uint8_t(m_state.modelName.at(i));
        return a;
    case 0x84:
        a = readAnswer(id, 0x3C);
        a[4] = uint8_t(m_state.serialNumber.size());
        for (int i = 0; i < m_state.serialNumber.size() && 5 + i < 64; ++i)
            a[size_t(5 + i)] = uint8_t(m_state.serialNumber.at(i));
        return a;
    default:
        break;
    }
    if (isMacroSlot(id)) {
        const SimMacroSlot& slot = m_state.live.macros[size_t(id - 1)];
        a = readAnswer(id, slot.length);
        std::copy(slot.bytes.begin(), slot.bytes.begin() + kSimMacroChunk, a.begin() + 4);
        return a;
    }
    a = readAnswer(id, 0);
    a[5] = kRefused;
    return a;
}

void MouseFirmware::updateCalibration()
{
    if (m_state.calibration != SimCalibration::Running)
        return;
    const auto elapsed = std::chrono::steady_clock::now() - m_state.calibrationStarted;
    if (elapsed >= std::chrono::milliseconds(m_state.calibrationDurationMs))
        m_state.calibration = SimCalibration::Finished;
}

SimLighting& MouseFirmware::currentLighting()
{
    return m_state.live.lighting[size_t(m_state.live.mouse.profile - 1)];
}

SimProfileButtons& MouseFirmware::currentButtons()
{
    return m_state.live.buttons[size_t(m_state.live.mouse.profile - 1)];
}

void MouseFirmware::powerCycle()
{
    m_state.live = m_state.saved;
    m_state.calibration = SimCalibration::Finished;
}

SimReport MouseFirmware::batteryReport() const
{
    SimReport a = readAnswer(0x0A, 0x09);
    a[5] = m_state.batteryPercent;
    a[6] = m_state.charging;
    return a;
}

SimReport MouseFirmware::buttonEventReport(int position, uint8_t code)
{
    SimReport a = readAnswer(0x07, 0x09);
    if (position >= 4 && position <= 12)
        a[size_t(position)] = code;
    return a;
}

SimReport MouseFirmware::errorReport()
{
    SimReport a = readAnswer(0x09, 0x01);
    a[4] = 0xDD;
    return a;
}

std::optional<SimReport> MouseFirmware::pressButton(int button)
{
    if (button < 1 || button > 9)
        return std::nullopt;
    SimMouseSettings& mouse = m_state.live.mouse;
    const SimProfileButtons& buttons = currentButtons();
    const uint8_t code = buttons.codes[size_t(button - 1)];
    uint8_t event = 0;
    if (code == 65) {
        mouse.profile = uint8_t(mouse.profile % 5 + 1);
        event = 0x41;
    } else if (code == 66) {
        mouse.dpiStage = uint8_t((mouse.dpiStage + 1) % std::max<uint8_t>(mouse.dpiQuantity, 1));
        event = 0x47;
    } else if (code == 64 && buttons.redefined[size_t(3 * (button - 1))] == 2) {
        event = 0xB0; // a button the host launches something for
    }
    const int position = eventPosition(button);
    if (event == 0 || position < 0)
        return std::nullopt;
    return buttonEventReport(position, event);
}
