#pragma once
// One lighting effect and colour as the commands each device's page would send for it, with
// the devices that cannot show it set aside and the reason why.
#include "core/device_records.h"
#include "core/lighting_effects.h"

#include <functional>

struct LightingValues {
    int red = 255;
    int green = 0;
    int blue = 0;
    int brightness = 255; // the GPU page's scale, 0 to 255
    int speed = 80;       // the GPU page's scale, 0 to 80
};

struct LightingTarget {
    QString device;      // "GPU 0 Scorvane RX 7900 XTX", "Mouse RM20 (2.4G)"
    QVariantMap command; // empty when skipped
    QString skipped;     // why the device is left out; empty when it gets the command
};

// Every listed card, or only `onlyIndex` when it is 0 or more.
QVector<LightingTarget> gpuLightingTargets(const QVector<GpuRecord>& gpus, const SharedLightingEffect& effect,
                                           const LightingValues& values, int onlyIndex = -1);
LightingTarget mouseLightingTarget(const QVariantMap& mouseRecord, const SharedLightingEffect& effect,
                                   const LightingValues& values);
// The mouse page's scales: brightness 0 to 8, cycle time 1 to 4.
int mouseBrightness(int gpuBrightness);
int mouseCycleTime(int gpuSpeed);

enum class LightingResult { Set, Failed, Skipped };

struct LightingOutcome {
    QString device;
    LightingResult result = LightingResult::Skipped;
    QString reason;     // why it was skipped
    QVariantMap answer; // the branch's answer when it was sent
};

// Sends every target's command through `run` (the worker's branch for it) in order; the
// skipped ones are reported without sending anything.
QVector<LightingOutcome> sendLighting(const QVector<LightingTarget>& targets,
                                      const std::function<QVariantMap(const QVariantMap&)>& run);
// "GPU 1 ...: skipped, no RGB lighting" and the like, one line per device.
QString describeOutcome(const LightingOutcome& outcome, const QString& what);
