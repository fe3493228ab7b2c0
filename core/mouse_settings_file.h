#pragma once
// userSettingData.json, mouse-wide and per profile: the last command of every mouse operation
// that changed something, so a later version can restore or show what the user set.
//   { "formatVersion": 1, "lastRunFunction": n, "commands": { "<runFunction>": command } }
#include <QString>
#include <QVariantMap>

constexpr int kMouseSettingsFormat = 1;

// Replaces the stored command of this runFunction (a malformed file starts afresh).
bool recordMouseSettings(const QString& path, int runFunction, const QVariantMap& command);
// The last command of this code recorded in the file; empty when there is none.
QVariantMap storedMouseCommand(const QString& path, int runFunction);
// An empty record (a profile set back to its defaults).
bool clearMouseSettings(const QString& path);

// The codes after which the mouse-wide file is rewritten: positive, not 35, 41 or 999.
bool rewritesMouseSettings(int runFunction);
// The codes that change the current profile's own state, recorded in its folder too.
bool isProfileSetting(int runFunction);
