#pragma once
// Reading the text files of a Steam library: the per-game "appmanifest_<id>.acf" and the list
// of library folders "libraryfolders.vdf". Both are Valve's KeyValues text; only the few keys
// the game list needs are read.
#include <QString>
#include <QStringList>

struct AppManifestFields {
    QString name;
    QString installDir;
};

// Line by line, each line trimmed: a line that begins with "name" (in double quotes) gives the
// name, one that begins with "installdir" gives the install folder (case-sensitive); the value
// is the last non-empty piece of the line split at double quotes. A later line wins.
AppManifestFields parseAppManifest(const QString& text);

// The app id of a manifest file name "appmanifest_<digits>.acf"; empty for any other name.
QString appIdFromManifestFileName(const QString& fileName);

// The library folders listed in libraryfolders.vdf: the "path" values of the current format
// and the numbered values of the older one, unescaped, in file order.
QStringList parseLibraryFolders(const QString& text);
