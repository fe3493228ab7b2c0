#include "devices/gpu/lighting_bus_codes.h"

LightingProbe lightingProbeOutcome(ADLX_RESULT code)
{
    if (code == ADLX_OK)
        return LightingProbe::Answered;
    if (code == kLightingBusMissing)
        return LightingProbe::BusMissing;
    if (code == kLightingBusNotAccessible)
        return LightingProbe::BusNotAccessible;
    return LightingProbe::NoAnswer;
}

QString lightingUnavailableReason(LightingProbe outcome)
{
    switch (outcome) {
    case LightingProbe::BusMissing: return QStringLiteral("Lighting needs the i2c-dev module and Linux 6.15 or newer");
    case LightingProbe::BusNotAccessible:
        return QStringLiteral("No permission to open the card's lighting bus (/dev/i2c-*): install the udev rule");
    case LightingProbe::Answered:
    case LightingProbe::NoAnswer: break;
    }
    return QString();
}
