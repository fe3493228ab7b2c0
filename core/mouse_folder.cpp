#include "core/mouse_folder.h"

#include "bridge/map_reading.h"
#include "core/mouse_command_values.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>
#include <QDir>

#include <algorithm>

namespace {

const QString kButtonKey = QStringLiteral("currentButton");

int buttonOf(const QVariantMap& entry)
{
    return readInt(entry, kButtonKey, -1);
}

} // namespace

MouseFolder::MouseFolder(const DataStore& store, const QString& uuid) : m_folder(store.mouseFolderFor(uuid)) {}

QString MouseFolder::profileButtonFile(int profile) const
{
    return isValid() ? m_folder + QStringLiteral("/profile_%1.json").arg(profile) : QString();
}

QString MouseFolder::profileFolder(int profile) const
{
    return isValid() ? m_folder + QStringLiteral("/profile_%1").arg(profile) : QString();
}

QString MouseFolder::launchDataFile(int profile) const
{
    return isValid() ? profileFolder(profile) + QStringLiteral("/UserLaunchData.json") : QString();
}

QString MouseFolder::profileSettingsFile(int profile) const
{
    return isValid() ? profileFolder(profile) + QStringLiteral("/userSettingData.json") : QString();
}

QString MouseFolder::profileNamesFile() const
{
    return isValid() ? m_folder + QStringLiteral("/UserProfileName.json") : QString();
}

QString MouseFolder::settingsFile() const
{
    return isValid() ? m_folder + QStringLiteral("/userSettingData.json") : QString();
}

bool MouseFolder::create(int profile) const
{
    if (!isValid())
        return false;
    const QString folder = mousecmd::isMouseProfile(profile) ? profileFolder(profile) : m_folder;
    if (QDir().mkpath(folder))
        return true;
    qWarning() << "Failed to create directory:" << folder;
    return false;
}

QList<QVariantMap> loadButtonEntries(const QString& path)
{
    if (path.isEmpty() || !fileExists(path))
        return {};
    return loadJsonList(path);
}

bool saveButtonEntry(const QString& path, const QVariantMap& entry)
{
    if (path.isEmpty())
        return false;
    // A button has one entry: it takes the place of the first old one, duplicates go.
    const int button = buttonOf(entry);
    QList<QVariantMap> kept;
    int at = -1;
    for (const QVariantMap& existing : loadButtonEntries(path)) {
        if (buttonOf(existing) != button)
            kept.append(existing);
        else if (at < 0)
            at = kept.size();
    }
    kept.insert(at < 0 ? kept.size() : at, entry);
    return saveJsonList(kept, path);
}

bool removeButtonEntry(const QString& path, int button)
{
    if (path.isEmpty())
        return false;
    if (!fileExists(path))
        return true;
    QList<QVariantMap> entries = loadButtonEntries(path);
    const int before = entries.size();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [button](const QVariantMap& e) { return buttonOf(e) == button; }),
                  entries.end());
    return entries.size() == before || saveJsonList(entries, path);
}

QVariantMap buttonEntry(const QList<QVariantMap>& entries, int button)
{
    for (const QVariantMap& entry : entries) {
        if (buttonOf(entry) == button)
            return entry;
    }
    return {};
}
