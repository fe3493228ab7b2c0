#include "core/lighting_commands.h"

#include "bridge/map_reading.h"

#include <QtGlobal>

namespace {

constexpr int kMouseMeteor = 3;
constexpr int kMouseRipple = 4;

QVariantMap gpuCommand(int gpuIndex, const SharedLightingEffect& effect, const LightingValues& v)
{
    // Off is the page's on/off switch; the effect it keeps for switching on again is single colour.
    const bool off = effect.gpuMode < 0;
    const int mode = off ? 1 : effect.gpuMode;
    return {{QStringLiteral("Control"), 1},        {QStringLiteral("selectedMode"), mode},
            {QStringLiteral("gpuIndex"), gpuIndex}, {QStringLiteral("mode"), mode},
            {QStringLiteral("brightness_value"), v.brightness}, {QStringLiteral("speed_value"), v.speed},
            {QStringLiteral("r_color"), v.red},     {QStringLiteral("g_color"), v.green},
            {QStringLiteral("b_color"), v.blue},    {QStringLiteral("on_off"), off ? 0 : 1}};
}

} // namespace

int mouseBrightness(int gpuBrightness)
{
    return qBound(0, (qBound(0, gpuBrightness, 255) * 8 + 127) / 255, 8);
}

int mouseCycleTime(int gpuSpeed)
{
    return 1 + (qBound(0, gpuSpeed, 80) * 3 + 40) / 80;
}

QVector<LightingTarget> gpuLightingTargets(const QVector<GpuRecord>& gpus, const SharedLightingEffect& effect,
                                           const LightingValues& values, int onlyIndex)
{
    QVector<LightingTarget> targets;
    for (const GpuRecord& gpu : gpus) {
        if (onlyIndex >= 0 && gpu.index != onlyIndex)
            continue;
        LightingTarget target;
        target.device = QStringLiteral("GPU %1 %2").arg(gpu.index).arg(gpu.name);
        if (!gpu.rgbSupported)
            target.skipped = QStringLiteral("no RGB lighting");
        else if (effect.gpuMode == 0)
            target.skipped = QStringLiteral("no %1 effect").arg(effect.displayName);
        else
            target.command = gpuCommand(gpu.index, effect, values);
        targets.append(target);
    }
    return targets;
}

LightingTarget mouseLightingTarget(const QVariantMap& mouseRecord, const SharedLightingEffect& effect,
                                   const LightingValues& values)
{
    LightingTarget target;
    target.device = QStringLiteral("Mouse %1").arg(mouseDisplayName(mouseRecord));
    if (effect.mouseMode == 0) {
        target.skipped = QStringLiteral("no %1 effect").arg(effect.displayName);
        return target;
    }
    // The page switches the mouse off as a single colour of black.
    const bool off = effect.mouseMode < 0;
    const int mode = off ? 1 : effect.mouseMode;
    QVariantMap command = mouseCommand(mouseRecord, 32);
    command.insert(QStringLiteral("brightness"), mouseBrightness(values.brightness));
    command.insert(QStringLiteral("ARGB_mode"), mode);
    command.insert(QStringLiteral("ARGB_function"), mode == kMouseMeteor || mode == kMouseRipple ? 129 : 128);
    command.insert(QStringLiteral("ARGB_cycleTime"), mouseCycleTime(values.speed));
    command.insert(QStringLiteral("R_Color"), off ? 0 : values.red);
    command.insert(QStringLiteral("G_Color"), off ? 0 : values.green);
    command.insert(QStringLiteral("B_Color"), off ? 0 : values.blue);
    command.insert(QStringLiteral("mouse_F"), 1);
    command.insert(QStringLiteral("lighting_F"), 0);
    command.insert(QStringLiteral("button_F"), 0);
    command.insert(QStringLiteral("macro_F"), 0);
    target.command = command;
    return target;
}

QVector<LightingOutcome> sendLighting(const QVector<LightingTarget>& targets,
                                      const std::function<QVariantMap(const QVariantMap&)>& run)
{
    QVector<LightingOutcome> outcomes;
    for (const LightingTarget& target : targets) {
        LightingOutcome outcome;
        outcome.device = target.device;
        outcome.reason = target.skipped;
        if (target.skipped.isEmpty()) {
            outcome.answer = run(target.command);
            outcome.result = readInt(outcome.answer, QStringLiteral("RESULTS"), -1) == 1 ? LightingResult::Set
                                                                                          : LightingResult::Failed;
        }
        outcomes.append(outcome);
    }
    return outcomes;
}

QString describeOutcome(const LightingOutcome& outcome, const QString& what)
{
    switch (outcome.result) {
    case LightingResult::Set: return QStringLiteral("%1: %2 set").arg(outcome.device, what);
    case LightingResult::Failed: return QStringLiteral("%1: %2 failed").arg(outcome.device, what);
    case LightingResult::Skipped: break;
    }
    return QStringLiteral("%1: skipped, %2").arg(outcome.device, outcome.reason);
}
