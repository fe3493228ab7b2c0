#include "listeners/launch_settings.h"

#include "bridge/map_reading.h"

#include <QVariantList>

namespace {

bool isPlainFolderName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

QString launchDataPath(const QString& dataFolder, const QString& mcuUuid, int profile)
{
    if (!isPlainFolderName(mcuUuid))
        return QString();
    return dataFolder + QStringLiteral("/Mouse/") + mcuUuid + QStringLiteral("/profile_") + QString::number(profile)
           + QStringLiteral("/UserLaunchData.json");
}

QList<QVariantMap> launchEntries(const QList<QVariantMap>& loaded)
{
    const QString listKey = QStringLiteral("LaunchData");
    QList<QVariantMap> entries;
    for (const QVariantMap& element : loaded) {
        if (element.value(listKey).type() != QVariant::List) {
            entries << element;
            continue;
        }
        for (const QVariant& entry : element.value(listKey).toList()) {
            if (entry.type() == QVariant::Map)
                entries << entry.toMap();
        }
    }
    return entries;
}

std::optional<LaunchSetting> findLaunchSetting(const QList<QVariantMap>& entries, int button)
{
    for (const QVariantMap& entry : entries) {
        int entryButton = 0;
        if (!tryReadInt(entry, QStringLiteral("currentButton"), &entryButton) || entryButton != button)
            continue;
        LaunchSetting setting;
        setting.button = entryButton;
        setting.launch = readInt(entry, QStringLiteral("launch"));
        setting.softwarePath = readString(entry, QStringLiteral("software_path"));
        setting.websitePath = readString(entry, QStringLiteral("webside_path"));
        setting.singleKey = readString(entry, QStringLiteral("keyFunctionSingleKey"));
        return setting;
    }
    return std::nullopt;
}

ushort virtualKeyOfSingleKey(const QString& text)
{
    return text.isEmpty() ? 0 : text.at(0).toUpper().unicode();
}
