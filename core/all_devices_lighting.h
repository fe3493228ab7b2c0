#pragma once
// "All devices" on the home page (Control 22): one effect and colour for every graphics card
// and mouse that can show it, each through its own page's command. The command carries
// "effect" (a name of lighting_effects.h), "r_color", "g_color", "b_color",
// "brightness_value" (0 to 255) and "speed_value" (0 to 80). The answer lists every device
// under "devices" ({"device", "result": "set", "failed" or "skipped", "reason"}), RESULTS 1
// when every device that was sent the effect took it, and "gpuLastedAction", the GPU page's
// new last command, when a card took it.
#include "core/device_records.h"

#include <QVariantMap>
#include <functional>

constexpr int kAllDevicesLightingControl = 22;

QVariantMap runAllDevicesLighting(const QVariantMap& command, const DeviceMaps& devices,
                                  const std::function<QVariantMap(const QVariantMap&)>& run);
