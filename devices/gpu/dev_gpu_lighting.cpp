// The lighting effects: which registers, which bytes, and what is remembered for "on" again.
#include "devices/gpu/dev_gpu.h"

#include "util/logging.h"

#include <QDebug>
#include <exception>

namespace {

// What "on" shows when no effect was chosen since start: cyan, single colour.
constexpr int kDefaultOnBrightness = 100;
constexpr int kDefaultOnSpeed = 80;

int stateValue(const std::map<std::string, int>& state, const char* key)
{
    const auto it = state.find(key);
    return it == state.end() ? 0 : it->second;
}

} // namespace

void DEV_GPU::command_offset(int protocolType)
{
    m_registers = registersForProtocol(protocolType, m_registers);
}

int DEV_GPU::protocolTypeOf(int GPUindex) const
{
    const std::map<int, int> byIndex = m_protocolByIndex;
    const auto it = byIndex.find(GPUindex);
    return it == byIndex.end() ? 0 : it->second;
}

void DEV_GPU::recordLightingState(LightingEffect effect, int GPUindex, int brightness, int speed, int red, int green,
                                  int blue)
{
    m_lightingState["mode"] = effectCode(effect).stateMode;
    m_lightingState["GPUindex"] = GPUindex;
    m_lightingState["Brightness"] = lowByte(brightness);
    m_lightingState["Speed"] = speed;
    m_lightingState["rgb_r"] = red;
    m_lightingState["rgb_g"] = green;
    m_lightingState["rgb_b"] = blue;
}

int DEV_GPU::runEffect(LightingEffect effect, const char* banner, const char* indexLine, int GPUindex, int brightness,
                       int speed, int red, int green, int blue)
{
    qDebug() << banner;
    qDebug() << indexLine << GPUindex;
    const int protocolType = protocolTypeOf(GPUindex);
    qDebug() << "protocolType: " << protocolType;
    command_offset(protocolType);
    const int result =
        writeFourRegisters(GPUindex, buildEffectWrites(effect, m_registers, brightness, speed, red, green, blue));
    recordLightingState(effect, GPUindex, brightness, speed, red, green, blue);
    return result;
}

int DEV_GPU::click_singleColor(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                               int rgb_b)
{
    return runEffect(LightingEffect::SingleColor, "\n============== SingleColor Mode ==============",
                     "click_singleColor index: ", GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g,
                     rgb_b);
}

int DEV_GPU::click_breathing(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                             int rgb_b)
{
    return runEffect(LightingEffect::Breathing, "\n============== Breathing Mode ==============",
                     "click_breathing index: ", GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g, rgb_b);
}

int DEV_GPU::click_blink(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b)
{
    return runEffect(LightingEffect::Blink, "\n============== Blink Mode ==============", "click_blink index: ", GPUindex,
                     sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g, rgb_b);
}

int DEV_GPU::click_colorShift(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                              int rgb_b)
{
    return runEffect(LightingEffect::ColorShift, "\n============== ColorShift Mode ==============",
                     "click_colorShift index: ", GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g,
                     rgb_b);
}

int DEV_GPU::click_meteor(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b)
{
    return runEffect(LightingEffect::Meteor, "\n============== Meteor Mode ==============", "click_meteor index: ",
                     GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g, rgb_b);
}

int DEV_GPU::click_ripple(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g, int rgb_b)
{
    return runEffect(LightingEffect::Ripple, "\n============== Ripple Mode ==============", "click_ripple index: ",
                     GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g, rgb_b);
}

int DEV_GPU::click_sevenColors(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                               int rgb_b)
{
    return runEffect(LightingEffect::SevenColors, "\n============== Rainbow Mode ==============",
                     "click_sevenColors index: ", GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g,
                     rgb_b);
}

int DEV_GPU::click_doubleBlink(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                               int rgb_b)
{
    qDebug() << "\n============== DoubleBlink Mode ==============";
    qDebug() << "click_doubleBlink index: " << GPUindex;
    const int protocolType = protocolTypeOf(GPUindex);
    qDebug() << "protocolType: " << protocolType;
    command_offset(protocolType);
    // Five single-register sessions back to back; the timing register 0x02 sits between the
    // mode and the colours.
    bool allWritten = true;
    for (const RegisterWrite& write :
         buildDoubleBlinkWrites(m_registers, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g, rgb_b))
        allWritten = writeOneRegister(GPUindex, write) == 1 && allWritten;
    recordLightingState(LightingEffect::DoubleBlink, GPUindex, sliderBrightness_value, sliderSpeed_value, rgb_r, rgb_g,
                        rgb_b);
    return allWritten ? 1 : -1;
}

int DEV_GPU::click_turnOnOff(int GPUindex, int sliderBrightness_value, int sliderSpeed_value, int rgb_r, int rgb_g,
                             int rgb_b, int tmp_OnOff)
{
    qDebug() << "\n============== RGB_Control::click_turnOnOff() ==============";
    writeStdout(QStringLiteral("tmp_OnOff: ") + QString::number(tmp_OnOff) + QLatin1Char('\n'));
    if (tmp_OnOff == 1) {
        writeStdout(QStringLiteral("RGB ON\n"));
        LightingEffect effect = LightingEffect::SingleColor;
        if (!effectForStateMode(stateValue(m_lightingState, "mode"), &effect))
            return click_singleColor(GPUindex, kDefaultOnBrightness, kDefaultOnSpeed, 0, 255, 255);
        const int brightness = stateValue(m_lightingState, "Brightness");
        const int speed = stateValue(m_lightingState, "Speed");
        const int red = stateValue(m_lightingState, "rgb_r");
        const int green = stateValue(m_lightingState, "rgb_g");
        const int blue = stateValue(m_lightingState, "rgb_b");
        switch (effect) {
        case LightingEffect::Breathing: return click_breathing(GPUindex, brightness, speed, red, green, blue);
        case LightingEffect::Blink: return click_blink(GPUindex, brightness, speed, red, green, blue);
        case LightingEffect::DoubleBlink: return click_doubleBlink(GPUindex, brightness, speed, red, green, blue);
        case LightingEffect::ColorShift: return click_colorShift(GPUindex, brightness, speed, red, green, blue);
        case LightingEffect::Meteor: return click_meteor(GPUindex, brightness, speed, red, green, blue);
        case LightingEffect::Ripple: return click_ripple(GPUindex, brightness, speed, red, green, blue);
        case LightingEffect::SevenColors: return click_sevenColors(GPUindex, brightness, speed, red, green, blue);
        default: return click_singleColor(GPUindex, brightness, speed, red, green, blue);
        }
    }
    if (tmp_OnOff != 0)
        return -1;
    writeStdout(QStringLiteral("RGB OFF\n"));
    const int protocolType = protocolTypeOf(GPUindex);
    writeStdout(QStringLiteral("protocolType: ") + QString::number(protocolType) + QLatin1Char('\n'));
    command_offset(protocolType);
    // Off is the mode code 0 with the rest as given; the state keeps the last effect for "on".
    return writeFourRegisters(GPUindex, buildEffectWrites(LightingEffect::Off, m_registers, sliderBrightness_value,
                                                          sliderSpeed_value, rgb_r, rgb_g, rgb_b));
}

int DEV_GPU::writeSyncState(int GPUindex, bool on)
{
    qDebug() << (on ? "\n============== Sync MotherBoard On ==============" : "\n============== Sync MotherBoard Off ==============");
    const int protocolType = protocolTypeOf(GPUindex);
    qDebug() << "protocolType: " << protocolType;
    command_offset(protocolType);
    return writeOneRegister(GPUindex, buildSyncWrite(m_registers, on));
}

int DEV_GPU::sync_MotherBoard_State_On(int GPUindex)
{
    return writeSyncState(GPUindex, true);
}

int DEV_GPU::sync_MotherBoard_State_Off(int GPUindex)
{
    try {
        return writeSyncState(GPUindex, false);
    } catch (const std::exception& e) {
        qCritical() << "Caught exception: " << e.what();
        return -1;
    }
}
