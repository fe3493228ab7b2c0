#include "devices/gpu/lighting_frames.h"

LightingRegisters registersForProtocol(int protocolType, const LightingRegisters& previous)
{
    LightingRegisters registers = previous;
    switch (protocolType) {
    case 0:
        registers = LightingRegisters{0x04, 0x01, 0x30, 0x31, 0x04};
        break;
    case 1:
        registers = LightingRegisters{0x04, 0x01, 0x0E, 0x0F, 0x12};
        break;
    default:
        registers.sync = 0;
        break;
    }
    return registers;
}

EffectCode effectCode(LightingEffect effect)
{
    switch (effect) {
    case LightingEffect::Off: return {0x00, 100, 0};
    case LightingEffect::SingleColor: return {0x01, 100, 1};
    case LightingEffect::Breathing: return {0x02, 80, 2};
    case LightingEffect::Blink: return {0x04, 100, 3};
    case LightingEffect::DoubleBlink: return {0x05, 135, 4};
    case LightingEffect::ColorShift: return {0x06, 100, 5};
    case LightingEffect::Meteor: return {0x07, 100, 6};
    case LightingEffect::Ripple: return {0x08, 100, 7};
    case LightingEffect::SevenColors: return {0x09, 100, 8};
    }
    return {0x00, 100, 0};
}

bool effectForStateMode(int stateMode, LightingEffect* effect)
{
    static const LightingEffect kByState[] = {
        LightingEffect::SingleColor, LightingEffect::Breathing, LightingEffect::Blink,  LightingEffect::DoubleBlink,
        LightingEffect::ColorShift,  LightingEffect::Meteor,    LightingEffect::Ripple, LightingEffect::SevenColors,
    };
    if (stateMode < 1 || stateMode > 8)
        return false;
    *effect = kByState[stateMode - 1];
    return true;
}

LightingPayload modeResetPayload()
{
    return {0x00, 0x00, 0x00};
}

LightingPayload modePayload(uint8_t modeCode, int brightness, int wireSpeed)
{
    return {modeCode, lowByte(brightness), lowByte(wireSpeed)};
}

LightingPayload colourPayload(int red, int green, int blue)
{
    return {lowByte(red), lowByte(green), lowByte(blue)};
}

LightingPayload doubleBlinkTimingPayload()
{
    return {0x00, 0x32, 0x96};
}

LightingPayload syncPayload(bool on)
{
    const uint8_t value = on ? 0x01 : 0x00;
    return {value, value, value};
}

int wireSpeed(LightingEffect effect, int slider)
{
    return effectCode(effect).speedBase - slider;
}

std::array<RegisterWrite, 4> buildEffectWrites(LightingEffect effect, const LightingRegisters& registers,
                                               int brightness, int slider, int red, int green, int blue)
{
    const LightingPayload colour = colourPayload(red, green, blue);
    return {{
        {registers.modeReset, modeResetPayload()},
        {registers.mode, modePayload(effectCode(effect).modeCode, brightness, wireSpeed(effect, slider))},
        {registers.colourA, colour},
        {registers.colourB, colour},
    }};
}

std::array<RegisterWrite, 5> buildDoubleBlinkWrites(const LightingRegisters& registers, int brightness, int slider,
                                                    int red, int green, int blue)
{
    const LightingEffect effect = LightingEffect::DoubleBlink;
    const LightingPayload colour = colourPayload(red, green, blue);
    return {{
        {registers.modeReset, modeResetPayload()},
        {registers.mode, modePayload(effectCode(effect).modeCode, brightness, wireSpeed(effect, slider))},
        {kDoubleBlinkTimingRegister, doubleBlinkTimingPayload()},
        {registers.colourA, colour},
        {registers.colourB, colour},
    }};
}

RegisterWrite buildSyncWrite(const LightingRegisters& registers, bool on)
{
    return {registers.sync, syncPayload(on)};
}
