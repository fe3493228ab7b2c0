// The mouse's lighting: effect records, direct colours and the read-backs of the colour tab.
#include "core/mouse_branch.h"

#include "bridge/map_reading.h"
#include "core/mouse_command_values.h"
#include "devices/mouse/dev_mouse.h"

#include <QDebug>

namespace {

constexpr uint8_t kLastEffect = 8;

// Effects 1..8; function 0 off, 128 on, 129 on for Meteor and Ripple.
bool refuseEffect(const char* tag, const mousecmd::LightingValues& v)
{
    const bool effectOk = v.mode >= 1 && v.mode <= kLastEffect;
    const bool functionOk = v.function == 0 || v.function == 128 || v.function == 129;
    if (effectOk && functionOk)
        return false;
    qWarning().noquote() << QStringLiteral("[%1] ARGB_mode (1 to 8) or ARGB_function (0, 128, 129) out of range:")
                                .arg(QLatin1String(tag))
                         << v.mode << v.function;
    return true;
}

} // namespace

MouseBranch::Outcome MouseBranch::setDirectColour(Turn& turn)
{
    const mousecmd::LightingValues v = mousecmd::lightingFrom(turn.command);
    const int led = readInt(turn.command, QStringLiteral("LED_index"));
    return m_device.Set_ARGB_Direct_Color(led, v.brightness, v.colour, turn.devpath()) ? Outcome::Success
                                                                                       : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setLightingArea(Turn& turn)
{
    const mousecmd::LightingValues v = mousecmd::lightingFrom(turn.command);
    if (refuseEffect("Set_ARGB_Function_1_Area", v))
        return Outcome::Refused;
    const int area = readInt(turn.command, QStringLiteral("LED_area"));
    return m_device.Set_ARGB_Function_1_Area(area, v.brightness, v.mode, v.function, v.cycleTime, v.colour,
                                             turn.devpath())
        ? Outcome::Success
        : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setLightingAllAreas(Turn& turn)
{
    const mousecmd::LightingValues v = mousecmd::lightingFrom(turn.command);
    if (refuseEffect("Set_ARGB_Function_All_Area", v))
        return Outcome::Refused;
    return m_device.Set_ARGB_Function_All_Area(v.brightness, v.mode, v.function, v.cycleTime, v.colour[0], v.colour[1],
                                               v.colour[2], turn.devpath())
        ? Outcome::Success
        : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readInformation2(Turn& turn)
{
    turn.answer.insert(m_device.Get_Current_Mouse_Info2(turn.devpath()));
    return m_device.argbReadOk() && turn.answer.contains(QStringLiteral("NXP_FW_L")) ? Outcome::Success
                                                                                      : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::readLighting(Turn& turn)
{
    turn.answer.insert(m_device.Get_CurrentMouse_ARGB_Info(turn.devpath()));
    return m_device.argbReadOk() ? Outcome::Success : Outcome::Failure;
}

MouseBranch::Outcome MouseBranch::setDirectColourAll(Turn& turn)
{
    const mousecmd::LightingValues v = mousecmd::lightingFrom(turn.command);
    return m_device.Set_ARGB_Direct_Color_All(v.brightness, v.colour, turn.devpath()) ? Outcome::Success
                                                                                      : Outcome::Failure;
}
