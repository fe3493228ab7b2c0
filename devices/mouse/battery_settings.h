#pragma once
// The low-battery warning levels of the mouse page, kept in /Mouse/BatteryLevelSettings.json.
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

struct BatteryThresholds {
    int first = 20;
    int second = 50;
};

QString batteryLevelSettingsPath();
// The first entry whose BatteryLevel_First is at least 1 and whose BatteryLevel_Second is
// above 10; none when no entry qualifies.
std::optional<BatteryThresholds> qualifyingThresholds(const QList<QVariantMap>& entries);
// Creates the file with the defaults (20, 50) when it is missing, then reads it. A file
// without a qualifying entry is left as it is.
std::optional<BatteryThresholds> loadBatteryThresholds(const QString& path);
