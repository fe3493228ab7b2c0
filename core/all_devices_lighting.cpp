#include "core/all_devices_lighting.h"

#include "bridge/map_reading.h"
#include "core/lighting_commands.h"

#include <QDebug>

namespace {

QString resultName(LightingResult result)
{
    switch (result) {
    case LightingResult::Set: return QStringLiteral("set");
    case LightingResult::Failed: return QStringLiteral("failed");
    case LightingResult::Skipped: break;
    }
    return QStringLiteral("skipped");
}

} // namespace

QVariantMap runAllDevicesLighting(const QVariantMap& command, const DeviceMaps& devices,
                                  const std::function<QVariantMap(const QVariantMap&)>& run)
{
    QVariantMap answer{{QStringLiteral("Control"), kAllDevicesLightingControl}, {QStringLiteral("RESULTS"), -1}};
    const SharedLightingEffect* effect = lightingEffectByKey(readString(command, QStringLiteral("effect")));
    if (!effect) {
        qWarning() << "[All devices] unknown effect:" << readString(command, QStringLiteral("effect"));
        answer.insert(QStringLiteral("devices"), QVariantList());
        return answer;
    }
    const LightingValues values{readInt(command, QStringLiteral("r_color")), readInt(command, QStringLiteral("g_color")),
                                readInt(command, QStringLiteral("b_color")),
                                readInt(command, QStringLiteral("brightness_value"), 255),
                                readInt(command, QStringLiteral("speed_value"), 80)};
    QVector<LightingTarget> targets = gpuLightingTargets(gpuRecords(devices.gpuDevice), *effect, values);
    for (const QVariantMap& mouse : mouseRecords(devices.mouseDevice))
        targets.append(mouseLightingTarget(mouse, *effect, values));

    QVariantList list;
    bool allTaken = true;
    for (const LightingOutcome& outcome : sendLighting(targets, run)) {
        qDebug().noquote() << "[All devices]" << describeOutcome(outcome, effect->displayName);
        list.append(QVariantMap{{QStringLiteral("device"), outcome.device},
                                {QStringLiteral("result"), resultName(outcome.result)},
                                {QStringLiteral("reason"), outcome.reason}});
        allTaken = allTaken && outcome.result != LightingResult::Failed;
        if (outcome.result == LightingResult::Set && readInt(outcome.answer, QStringLiteral("Control")) == 1)
            answer.insert(QStringLiteral("gpuLastedAction"), outcome.answer);
    }
    answer.insert(QStringLiteral("devices"), list);
    answer.insert(QStringLiteral("effect"), effect->key);
    answer.insert(QStringLiteral("RESULTS"), allTaken && !targets.isEmpty() ? 1 : -1);
    return answer;
}
