#pragma once
// What the simulated mouse remembers. Settings come in groups that the save command makes
// permanent one by one (mouse settings, lighting, buttons, macros); a power cycle brings back
// the last saved copy of each.
#include <QByteArray>

#include <array>
#include <chrono>
#include <cstdint>

struct SimDpiStage {
    uint16_t x = 800;
    uint16_t y = 800;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

struct SimMouseSettings {
    uint8_t profile = 1; // 1..5
    uint8_t dpiQuantity = 5;
    uint8_t dpiStage = 1; // 0..quantity-1
    uint8_t dpiUpdateFlag = 0;
    std::array<SimDpiStage, 5> stages;
    uint8_t wiredRateCode = 8;    // 1, 2, 4, 8, 16, 32
    uint8_t wirelessRateCode = 8; // 8, 16, 32
    uint8_t snap = 0;
    uint8_t liftOff = 2;
    uint8_t ecoMinutes = 5;
    uint8_t ledOffMinutes = 3;
};

// Per button: target device, mouse button or modifier, key usage id.
struct SimProfileButtons {
    std::array<uint8_t, 9> codes{};
    std::array<uint8_t, 27> redefined{};
};

// Brightness, then three areas of mode, function, cycle time, red, green, blue.
using SimLighting = std::array<uint8_t, 19>;

// Brightness and thirteen LEDs of red, green, blue.
struct SimDirectColours {
    uint8_t brightness = 0;
    std::array<uint8_t, 39> leds{};
};

constexpr int kSimMacroSlots = 40;
constexpr int kSimMacroChunk = 60;
constexpr int kSimMacroChunks = 20;

struct SimMacroSlot {
    std::array<uint8_t, kSimMacroChunk * kSimMacroChunks> bytes{};
    uint8_t length = 0;          // the length byte of the last chunk written
    uint32_t chunksWritten = 0;  // bit n: chunk n has been written
};

struct SimSettings {
    SimMouseSettings mouse;
    std::array<SimProfileButtons, 5> buttons;
    std::array<SimLighting, 5> lighting{};
    SimDirectColours direct;
    std::array<SimMacroSlot, kSimMacroSlots> macros;
};

enum class SimCalibration : uint8_t { Finished = 0, Running = 1, TimedOut = 2 };

struct SimFirmwareState {
    SimSettings live;
    SimSettings saved;

    uint8_t batteryPercent = 80;
    uint8_t charging = 0;
    uint8_t colourCode = 1; // 1 black, 2 white
    QByteArray modelName = "ORVENA RM20";
    std::array<uint8_t, 16> uuid{};
    uint16_t controllerFirmware = 0x0107;
    uint16_t radioFirmware = 0x0103;
    QByteArray serialNumber = "RM20A0001234";
    uint8_t pairing = 0;

    SimCalibration calibration = SimCalibration::Finished;
    std::chrono::steady_clock::time_point calibrationStarted;
    int calibrationDurationMs = 200;

    // The flags of the last save command and how many saves arrived.
    std::array<uint8_t, 5> lastSaveFlags{};
    int saveCount = 0;
};

// The state of a mouse fresh from the factory (every profile reset, all saved).
SimFirmwareState factoryFirmwareState();
SimProfileButtons factoryButtons();
SimLighting factoryLighting(int profile);
