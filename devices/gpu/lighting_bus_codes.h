#pragma once
// What the lighting controller's probe read tells, beyond "answered" and "did not answer": a
// library can say that the probe could not run at all because the card's lighting bus is out
// of reach. Our Linux library does so; the card is then still shown, with its hardware monitor
// and a sentence on why lighting is unavailable.
#include "devices/gpu/adlx_interfaces.h"

#include <QString>

// The card has no lighting bus this system can reach (no OEM bus registered, or no i2c-dev).
constexpr ADLX_RESULT kLightingBusMissing = ADLX_NOT_SUPPORTED;
// The bus exists but this user may not open it. Our libraries' own code, outside the range the
// vendor's library uses.
constexpr ADLX_RESULT kLightingBusNotAccessible = ADLX_RESULT(256);

enum class LightingProbe { Answered, NoAnswer, BusMissing, BusNotAccessible };

LightingProbe lightingProbeOutcome(ADLX_RESULT code);

// The sentence the GPU page shows (and the log says) instead of the effects; empty for a probe
// that ran.
QString lightingUnavailableReason(LightingProbe outcome);
