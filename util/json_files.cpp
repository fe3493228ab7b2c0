#include "util/json_files.h"

#include "util/files.h"
#include "util/store_reading.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

bool parseJsonList(const QByteArray& bytes, QList<QVariantMap>* list)
{
    const QJsonDocument doc = QJsonDocument::fromJson(bytes);
    if (doc.isNull())
        return false;
    if (!doc.isArray()) {
        list->append(doc.object().toVariantMap());
        return true;
    }
    const QJsonArray array = doc.array();
    for (const QJsonValue& element : array) {
        if (element.isObject())
            list->append(element.toObject().toVariantMap());
    }
    return true;
}

QList<QVariantMap> loadJsonList(const QString& path)
{
    QList<QVariantMap> list;
    const StoreFile file = readStoreFile(path);
    if (file.status == StoreFile::Status::Missing) {
        qDebug() << "File does not exist: " << path;
        return list;
    }
    if (file.status == StoreFile::Status::CannotOpen) {
        qDebug() << "Failed to open file for reading:" << file.errorString;
        return list;
    }
    if (!file.read())
        return list;
    if (!parseJsonList(file.bytes, &list)) {
        qDebug() << "Invalid JSON format.";
        keepUnreadableFile(path, file.bytes);
    }
    return list;
}

bool loadJsonObject(const QString& path, QVariantMap& out)
{
    const StoreFile file = readStoreFile(path);
    if (!file.read())
        return false;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        qWarning() << "JSON parse error:" << error.errorString();
        keepUnreadableFile(path, file.bytes);
        return false;
    }
    if (!doc.isObject()) {
        qWarning() << "JSON is not an object.";
        keepUnreadableFile(path, file.bytes);
        return false;
    }
    out = doc.object().toVariantMap();
    return true;
}

bool saveJsonList(const QList<QVariantMap>& list, const QString& path)
{
    QJsonArray array;
    for (const QVariantMap& map : list)
        array.append(QJsonObject::fromVariantMap(map));
    const QByteArray bytes = QJsonDocument(array).toJson(QJsonDocument::Indented);

    QDir folder = QFileInfo(path).absoluteDir();
    if (!folder.exists() && !folder.mkpath(QStringLiteral("."))) {
        qWarning() << "Failed to create directory:" << folder.absolutePath();
        return false;
    }
    const WriteResult result = replaceFileContents(path, bytes);
    if (result.outcome == WriteOutcome::Incomplete) {
        qWarning() << "File write incomplete! Written:" << result.written << "Expected:" << bytes.size();
        return false;
    }
    if (!result.ok()) {
        qWarning() << "Failed to open file for writing:" << path << "| Error:" << result.errorString;
        return false;
    }
    return true;
}

bool saveJsonObject(const QString& path, const QVariantMap& map)
{
    const QByteArray bytes = QJsonDocument(QJsonObject::fromVariantMap(map)).toJson(QJsonDocument::Indented);
    if (!replaceFileContents(path, bytes).ok()) {
        qWarning() << "Failed to open file for writing:" << path;
        return false;
    }
    return true;
}

void removeMapsByKeyValue(QList<QVariantMap>& list, const QString& key, const QVariant& value)
{
    for (auto it = list.begin(); it != list.end();) {
        if (it->contains(key) && it->value(key) == value)
            it = list.erase(it);
        else
            ++it;
    }
}
