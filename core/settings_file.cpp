#include "core/settings_file.h"

#include <QCryptographicHash>
#include <QJsonDocument>

namespace {

const QString kFormatName = QStringLiteral("talvorin-settings");

QString checksumOf(const QJsonObject& settings)
{
    const QByteArray compact = QJsonDocument(settings).toJson(QJsonDocument::Compact);
    return QString::fromLatin1(QCryptographicHash::hash(compact, QCryptographicHash::Sha256).toHex());
}

SettingsFileContents refused(const QString& reason)
{
    return {QJsonObject(), reason};
}

} // namespace

QByteArray buildSettingsFile(const QJsonObject& settings)
{
    const QJsonObject document{{QStringLiteral("format"), kFormatName},
                               {QStringLiteral("version"), kSettingsFileVersion},
                               {QStringLiteral("checksum"), checksumOf(settings)},
                               {QStringLiteral("settings"), settings}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

SettingsFileContents readSettingsFile(const QByteArray& bytes)
{
    if (bytes.size() > kSettingsFileLimit)
        return refused(QStringLiteral("the file is too large to be a settings file"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(QStringLiteral("the file is damaged (%1 at byte %2)").arg(error.errorString()).arg(error.offset));
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("format")).toString() != kFormatName)
        return refused(QStringLiteral("the file is not a Talvorin settings file"));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != double(version.toInt()) || version.toInt() < 1)
        return refused(QStringLiteral("the file is damaged (no format version)"));
    if (version.toInt() > kSettingsFileVersion)
        return refused(QStringLiteral("the file was made by a newer Talvorin (format %1; this one reads format %2)")
                           .arg(version.toInt())
                           .arg(kSettingsFileVersion));
    const QJsonValue settings = root.value(QStringLiteral("settings"));
    if (!settings.isObject())
        return refused(QStringLiteral("the file is damaged (no settings)"));
    if (root.value(QStringLiteral("checksum")).toString() != checksumOf(settings.toObject()))
        return refused(QStringLiteral("the file is damaged (its contents do not match its checksum)"));
    return {settings.toObject(), QString()};
}
