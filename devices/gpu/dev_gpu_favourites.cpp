// Lighting favourites: the page's presets, kept in one JSON file whose path the caller gives.
#include "devices/gpu/dev_gpu.h"

#include "devices/gpu/favourites_store.h"

#include <QDebug>
#include <QFile>

QVariantList DEV_GPU::getUserFavoriteInfo(QString filePath)
{
    QVariantList list;
    if (!QFile::exists(filePath))
        return list;
    const QList<QVariantMap> favourites = loadFavourites(filePath);
    for (const QVariantMap& favourite : favourites)
        list.append(favourite);
    return list;
}

void DEV_GPU::addNewUserFavorite(QString filePath, QVariantMap data)
{
    QList<QVariantMap> favourites;
    if (QFile::exists(filePath))
        favourites = loadFavourites(filePath);
    favourites.append(data);
    saveFavourites(filePath, favourites);
}

void DEV_GPU::removeUserFavoriteIndex(QString filePath, int index)
{
    if (!QFile::exists(filePath))
        return;
    QList<QVariantMap> favourites = loadFavourites(filePath);
    if (index < 0 || index >= favourites.size()) {
        qDebug() << "Invalid index to remove.";
    } else {
        favourites.removeAt(index);
        qDebug() << "Element at index" << index << "removed.";
    }
    saveFavourites(filePath, favourites);
    for (const QVariantMap& favourite : favourites) {
        qDebug() << "brightness:" << favourite.value(QStringLiteral("brightness")).toInt();
        qDebug() << "speed:" << favourite.value(QStringLiteral("speed")).toInt();
        qDebug() << "name:" << favourite.value(QStringLiteral("name")).toString();
    }
}
