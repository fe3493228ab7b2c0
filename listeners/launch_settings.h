#pragma once
// The launch actions the mouse page stores per profile and button (UserLaunchData.json in the
// profile's folder), and how the listener finds the one for a button.
#include <QList>
#include <QString>
#include <QVariantMap>

#include <optional>

struct LaunchSetting {
    int button = 0;
    int launch = 0; // 2 start a program, 3 open a web address, 4 press a single key
    QString softwarePath;
    QString websitePath;
    QString singleKey;
};

// <dataFolder>/Mouse/<mcuUuid>/profile_<profile>/UserLaunchData.json. Empty when the UUID is
// not a plain folder name, so that a crafted one cannot point the listener at another file.
QString launchDataPath(const QString& dataFolder, const QString& mcuUuid, int profile);

// The entries of a loaded file. The file is either an array of entries or the page's object
// that keeps them under "LaunchData" (next to "LaunchData_listSize"); both are accepted.
QList<QVariantMap> launchEntries(const QList<QVariantMap>& loaded);

// The first entry for the button; any later entry for the same button is ignored.
std::optional<LaunchSetting> findLaunchSetting(const QList<QVariantMap>& entries, int button);

// The virtual key of a single-key text: its first character upper-cased, so letters and
// digits give their own virtual keys; 0 for an empty text.
ushort virtualKeyOfSingleKey(const QString& text);
