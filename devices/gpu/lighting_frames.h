#pragma once
// The lighting controller's register writes, built as data: which register gets which three
// bytes. Nothing here talks to the card.
#include <array>
#include <cstdint>

// Where the controller sits: I2C line 1 of the card at 100 (the library's speed unit), device
// address 0x44 as the library takes it; every register holds three bytes. Register 0x82 answers
// on every controller and serves as the presence probe.
constexpr int kLightingI2cLine = 1;
constexpr int kLightingI2cSpeed = 100;
constexpr int kLightingAddress = 0x44;
constexpr int kLightingProbeRegister = 0x82;
constexpr int kLightingPayloadLength = 3;

// Register numbers of one controller type.
struct LightingRegisters {
    int modeReset = 0x04;
    int mode = 0x01;
    int colourA = 0x30;
    int colourB = 0x31;
    int sync = 0x04;
};

// Type 0: reset 0x04, mode 0x01, colours 0x30/0x31, sync 0x04.
// Type 1: reset 0x04, mode 0x01, colours 0x0E/0x0F, sync 0x12.
// Any other type keeps the four effect registers of `previous` and has no sync register (0).
LightingRegisters registersForProtocol(int protocolType, const LightingRegisters& previous);

using LightingPayload = std::array<uint8_t, 3>;

struct RegisterWrite {
    int reg = 0;
    LightingPayload payload{};
};

inline bool operator==(const RegisterWrite& a, const RegisterWrite& b)
{
    return a.reg == b.reg && a.payload == b.payload;
}

constexpr int kDoubleBlinkTimingRegister = 0x02;

enum class LightingEffect { Off, SingleColor, Breathing, Blink, DoubleBlink, ColorShift, Meteor, Ripple, SevenColors };

struct EffectCode {
    uint8_t modeCode;
    int speedBase;  // wire speed = speedBase - slider
    int stateMode;  // the number kept in the lighting state ("mode"); 0 for Off
};

EffectCode effectCode(LightingEffect effect);
// The effect recorded under a state number 1..8; false for any other number.
bool effectForStateMode(int stateMode, LightingEffect* effect);

// Every byte on the wire is the low eight bits of its value.
inline uint8_t lowByte(int value)
{
    return uint8_t(unsigned(value) & 0xFFu);
}

// [0] 0x00 [1] 0x00 [2] 0x00
LightingPayload modeResetPayload();
// [0] mode code [1] brightness [2] wire speed
LightingPayload modePayload(uint8_t modeCode, int brightness, int wireSpeed);
// [0] red [1] green [2] blue
LightingPayload colourPayload(int red, int green, int blue);
// [0] 0x00 [1] 0x32 [2] 0x96: the on and off times of the double blink
LightingPayload doubleBlinkTimingPayload();
// [0..2] 0x01 each to follow the motherboard, 0x00 each to stop
LightingPayload syncPayload(bool on);

int wireSpeed(LightingEffect effect, int slider);

// A four-register effect command, in the order the controller needs them:
// mode reset, mode, colour A, colour B.
std::array<RegisterWrite, 4> buildEffectWrites(LightingEffect effect, const LightingRegisters& registers,
                                               int brightness, int slider, int red, int green, int blue);

// The double blink: mode reset, mode, timing (register 0x02), colour A, colour B.
std::array<RegisterWrite, 5> buildDoubleBlinkWrites(const LightingRegisters& registers, int brightness, int slider,
                                                    int red, int green, int blue);

RegisterWrite buildSyncWrite(const LightingRegisters& registers, bool on);
