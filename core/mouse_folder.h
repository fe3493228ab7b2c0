#pragma once
// The files of one mouse under /Mouse/<MCU UUID>: the profile button files, the profile
// folders with their launch data and settings, the profile names and the mouse-wide settings.
// docs/mouse-data-files.md describes every file.
#include "core/data_store.h"

#include <QList>
#include <QString>
#include <QVariantMap>

class MouseFolder {
public:
    // Invalid (every path empty) when the UUID is not a plain identifier.
    MouseFolder(const DataStore& store, const QString& uuid);

    bool isValid() const { return !m_folder.isEmpty(); }
    const QString& path() const { return m_folder; }

    QString profileButtonFile(int profile) const;   // /profile_<n>.json
    QString profileFolder(int profile) const;       // /profile_<n>
    QString launchDataFile(int profile) const;      // /profile_<n>/UserLaunchData.json
    QString profileSettingsFile(int profile) const; // /profile_<n>/userSettingData.json
    QString profileNamesFile() const;               // /UserProfileName.json
    QString settingsFile() const;                   // /userSettingData.json

    // Creates the mouse folder and, for a profile 1..5, the profile's folder.
    bool create(int profile = 0) const;

private:
    QString m_folder;
};

// Entries of the profile button file and of the launch data: one object per button, keyed by
// "currentButton". Saving replaces the button's entry (or appends it), keeping the others.
QList<QVariantMap> loadButtonEntries(const QString& path);
bool saveButtonEntry(const QString& path, const QVariantMap& entry);
// Removes the button's entries; true when the file is as wanted afterwards.
bool removeButtonEntry(const QString& path, int button);
// The entry of a button, or an empty map.
QVariantMap buttonEntry(const QList<QVariantMap>& entries, int button);
