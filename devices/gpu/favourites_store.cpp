#include "devices/gpu/favourites_store.h"

#include "util/files.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

void setOutcome(FavouritesReadOutcome* outcome, FavouritesReadOutcome value)
{
    if (outcome)
        *outcome = value;
}

} // namespace

QList<QVariantMap> loadFavourites(const QString& path, FavouritesReadOutcome* outcome)
{
    QList<QVariantMap> favourites;
    QFile file(path);
    if (!file.exists()) {
        qDebug() << "File does not exist: " << path;
        setOutcome(outcome, FavouritesReadOutcome::Missing);
        return favourites;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCritical() << "Failed to open file for reading:" << file.errorString();
        setOutcome(outcome, FavouritesReadOutcome::Unreadable);
        return favourites;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (doc.isNull()) {
        qDebug() << "Invalid JSON format.";
        setOutcome(outcome, FavouritesReadOutcome::Malformed);
        return favourites;
    }
    setOutcome(outcome, FavouritesReadOutcome::Read);
    if (!doc.isArray()) {
        favourites.append(doc.object().toVariantMap());
        return favourites;
    }
    const QJsonArray array = doc.array();
    for (const QJsonValue& element : array) {
        if (element.isObject())
            favourites.append(element.toObject().toVariantMap());
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

void keepMalformedFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString aside = path + QStringLiteral(".invalid");
    if (replaceFileContents(aside, file.readAll()).ok())
        qWarning() << "Unreadable favourites kept as" << aside;
    else
        qWarning() << "Could not keep the unreadable favourites file" << path;
}
