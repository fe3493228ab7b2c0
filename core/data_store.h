#pragma once
// Paths of the user data store under the application data folder.
#include <QString>

class DataStore {
public:
    explicit DataStore(const QString& root);

    const QString& root() const { return m_root; }
    // The root followed by a relative path that starts with "/".
    QString path(const QString& relative) const { return m_root + relative; }

    QString handOffFile() const { return path(QStringLiteral("/talvorin.txt")); }
    QString showWindowFile() const { return path(QStringLiteral("/FSA.txt")); }
    QString startAppFile() const { return path(QStringLiteral("/startApp.txt")); }
    QString versionFile() const { return path(QStringLiteral("/version.txt")); }

    QString gpuFolder() const { return path(QStringLiteral("/GPU")); }
    QString gpuControlData() const { return path(QStringLiteral("/GPU/userControlData.json")); }
    QString gpuFavourites() const { return path(QStringLiteral("/GPU/userFavoriteData.json")); }

    QString mouseFolder() const { return path(QStringLiteral("/Mouse")); }
    QString userGameMap() const { return path(QStringLiteral("/Mouse/UserGameMap.json")); }
    QString macroData() const { return path(QStringLiteral("/Mouse/UserMacroKeyData.json")); }
    QString batteryLevels() const { return path(QStringLiteral("/Mouse/BatteryLevelSettings.json")); }
    QString dongleVersion() const { return path(QStringLiteral("/Mouse/dongle_fw_version.json")); }
    // The folder of one mouse, named by its MCU UUID; empty for a name that is not a plain
    // identifier (letters, digits, '-' and '_'), so a hostile value never leaves /Mouse.
    QString mouseFolderFor(const QString& uuid) const;

    QString headphoneFolder() const { return path(QStringLiteral("/Headphone")); }
    QString headphoneSettings() const { return path(QStringLiteral("/Headphone/userSettingsData_Headphone.json")); }
    QString headphoneFirmwareVersion() const { return path(QStringLiteral("/Headphone/fw_version.json")); }

    QString appIconFolder() const { return path(QStringLiteral("/AppIcon")); }
    QString steamImageFolder() const { return path(QStringLiteral("/steamAppData")); }

private:
    QString m_root;
};

// True for a name made only of letters, digits, '-' and '_' (at most 128 characters).
bool isPlainIdentifier(const QString& name);
