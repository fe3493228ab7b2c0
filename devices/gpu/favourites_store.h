#pragma once
// The file of GPU lighting favourites: a JSON array of objects, each stored as the page sent it.
#include <QList>
#include <QString>
#include <QVariantMap>

// Reads the favourites. A missing, unreadable or malformed file gives an empty list (and a log
// line; a malformed one is kept aside, as the store keeps every damaged file); a file holding
// one object gives that object as the only favourite.
QList<QVariantMap> loadFavourites(const QString& path);

// Replaces the file with the list as an indented JSON array. False (and a log line) when it
// cannot be written; the old file is then left as it was.
bool saveFavourites(const QString& path, const QList<QVariantMap>& favourites);
