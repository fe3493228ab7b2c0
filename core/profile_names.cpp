#include "core/profile_names.h"

#include "core/mouse_command_values.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QVariantList>

namespace {

const QString kHas = QStringLiteral("hasProfileName");
const QString kUserData = QStringLiteral("userData");
const QString kName = QStringLiteral("profileName");
const QString kCurrent = QStringLiteral("currentProfileName");

QString cleanName(const QVariant& value)
{
    return value.toString().trimmed().left(kMaxProfileNameLength);
}

} // namespace

bool ProfileNames::hasProfileName() const
{
    for (const QString& name : names) {
        if (!name.isEmpty())
            return true;
    }
    return false;
}

QString ProfileNames::nameOf(int profile) const
{
    return mousecmd::isMouseProfile(profile) ? names.at(profile - 1) : QString();
}

ProfileNames loadProfileNames(const QString& path)
{
    ProfileNames result;
    QVariantMap stored;
    if (path.isEmpty() || !fileExists(path) || !loadJsonObject(path, stored))
        return result;
    const QVariantList userData = stored.value(kUserData).toList();
    for (int i = 0; i < userData.size() && i < result.names.size(); ++i)
        result.names[i] = cleanName(userData.at(i).toMap().value(kName));
    result.currentProfileName = cleanName(stored.value(kCurrent));
    return result;
}

bool saveProfileNames(const QString& path, const ProfileNames& names)
{
    QVariantList userData;
    for (const QString& name : names.names)
        userData.append(QVariantMap{{kName, name}});
    const QVariantMap document{{kHas, names.hasProfileName()}, {kUserData, userData}, {kCurrent, names.currentProfileName}};
    return !path.isEmpty() && saveJsonObject(path, document);
}

bool applyProfileNameCommand(ProfileNames& names, const QVariantMap& command, int currentProfile)
{
    const bool hasList = command.contains(kName);
    const bool hasCurrent = command.contains(kCurrent);
    if (!hasList && !hasCurrent)
        return false;
    if (hasList) {
        const QVariant value = command.value(kName);
        if (value.type() == QVariant::List) {
            const QVariantList list = value.toList();
            for (int i = 0; i < list.size() && i < names.names.size(); ++i)
                names.names[i] = cleanName(list.at(i));
        } else if (mousecmd::isMouseProfile(currentProfile)) {
            names.names[currentProfile - 1] = cleanName(value);
        }
    }
    if (hasCurrent) {
        names.currentProfileName = cleanName(command.value(kCurrent));
        if (mousecmd::isMouseProfile(currentProfile))
            names.names[currentProfile - 1] = names.currentProfileName;
    }
    return true;
}

void addProfileNamesToAnswer(QVariantMap& answer, const ProfileNames& names, int profile)
{
    QVariantList userData;
    for (const QString& name : names.names)
        userData.append(QVariantMap{{kName, name}});
    answer.insert(kHas, names.hasProfileName());
    answer.insert(kUserData, userData);
    if (mousecmd::isMouseProfile(profile))
        answer.insert(kName, names.nameOf(profile));
}
