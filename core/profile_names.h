#pragma once
// The user's names of the five profiles of a mouse (UserProfileName.json):
//   { "hasProfileName": bool, "userData": [ { "profileName": text } x 5 ],
//     "currentProfileName": text }
// userData[n - 1] names profile n.
#include <QString>
#include <QStringList>
#include <QVariantMap>

// Longest name kept; the page shows a short label.
constexpr int kMaxProfileNameLength = 64;

struct ProfileNames {
    QStringList names = QStringList{QString(), QString(), QString(), QString(), QString()};
    QString currentProfileName;
    bool hasProfileName() const;
    QString nameOf(int profile) const;
};

// Missing or malformed file: five empty names.
ProfileNames loadProfileNames(const QString& path);
bool saveProfileNames(const QString& path, const ProfileNames& names);

// Applies the keys of a rename command: "profileName" as a list names profiles 1..5 in order
// (a single text names the current profile), "currentProfileName" names the current profile.
// False when the command carries neither.
bool applyProfileNameCommand(ProfileNames& names, const QVariantMap& command, int currentProfile);

// "hasProfileName", "userData" and, for a profile 1..5, its "profileName".
void addProfileNamesToAnswer(QVariantMap& answer, const ProfileNames& names, int profile);
