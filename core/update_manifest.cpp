#include "core/update_manifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

UpdateManifest parseManifest(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = parseError.errorString();
        return {};
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("the manifest is not a JSON object");
        return {};
    }
    UpdateManifest manifest;
    const QJsonObject root = document.object();
    for (auto member = root.begin(); member != root.end(); ++member) {
        if (member.value().isArray())
            manifest.insert(member.key(), member.value().toArray().toVariantList());
    }
    return manifest;
}
