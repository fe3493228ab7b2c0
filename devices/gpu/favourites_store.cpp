#include "devices/gpu/favourites_store.h"

#include "util/files.h"
#include "util/json_files.h"
#include "util/store_reading.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QList<QVariantMap> loadFavourites(const QString& path)
{
    QList<QVariantMap> favourites;
    const StoreFile file = readStoreFile(path);
    if (file.status == StoreFile::Status::Missing) {
        qDebug() << "File does not exist: " << path;
        return favourites;
    }
    if (file.status == StoreFile::Status::CannotOpen) {
        qCritical() << "Failed to open file for reading:" << file.errorString;
        return favourites;
    }
    if (file.read() && !parseJsonList(file.bytes, &favourites)) {
        qDebug() << "Invalid JSON format.";
        keepUnreadableFile(path, file.bytes);
    }
    return favourites;
}

bool saveFavourites(const QString& path, const QList<QVariantMap>& favourites)
{
    QJsonArray array;
    for (const QVariantMap& favourite : favourites)
        array.append(QJsonObject::fromVariantMap(favourite));
    const WriteResult result = replaceFileContents(path, QJsonDocument(array).toJson(QJsonDocument::Indented));
    if (!result.ok()) {
        qCritical() << "Failed to open file for writing:" << result.errorString;
        return false;
    }
    return true;
}
