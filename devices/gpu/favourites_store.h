#pragma once
// The file of GPU lighting favourites: a JSON array of objects, each stored as the page sent it.
#include <QList>
#include <QString>
#include <QVariantMap>

enum class FavouritesReadOutcome { Read, Missing, Unreadable, Malformed };

// Reads the favourites. A missing, unreadable or malformed file gives an empty list (and a log
// line); a file holding one object gives that object as the only favourite.
QList<QVariantMap> loadFavourites(const QString& path, FavouritesReadOutcome* outcome = nullptr);

// Replaces the file with the list as an indented JSON array. False (and a log line) when it
// cannot be written; the old file is then left as it was.
bool saveFavourites(const QString& path, const QList<QVariantMap>& favourites);

// Before a list read from a malformed file overwrites it, the old bytes are kept beside it as
// "<path>.invalid", so a damaged file is never silently thrown away.
void keepMalformedFile(const QString& path);
