#include "devices/mouse/battery_settings.h"

#include "util/app_data.h"
#include "util/files.h"
#include "util/json_files.h"

namespace {

const QString kFirst = QStringLiteral("BatteryLevel_First");
const QString kSecond = QStringLiteral("BatteryLevel_Second");

} // namespace

QString batteryLevelSettingsPath()
{
    return appDataFolder() + QStringLiteral("/Mouse/BatteryLevelSettings.json");
}

std::optional<BatteryThresholds> qualifyingThresholds(const QList<QVariantMap>& entries)
{
    for (const QVariantMap& entry : entries) {
        bool firstOk = false;
        bool secondOk = false;
        const int first = entry.value(kFirst).toInt(&firstOk);
        const int second = entry.value(kSecond).toInt(&secondOk);
        if (firstOk && secondOk && first >= 1 && second > 10)
            return BatteryThresholds{first, second};
    }
    return std::nullopt;
}

std::optional<BatteryThresholds> loadBatteryThresholds(const QString& path)
{
    if (!fileExists(path)) {
        const BatteryThresholds defaults;
        saveJsonList({QVariantMap{{kFirst, defaults.first}, {kSecond, defaults.second}}}, path);
    }
    return qualifyingThresholds(loadJsonList(path));
}
