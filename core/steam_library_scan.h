#pragma once
// Finding the Steam libraries of this user and the games installed in them.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariantList>

class SteamHeaderImages;

// Where Steam keeps its own folder: TALVORIN_STEAM_ROOT when set (the only one then), else
// ~/.local/share/Steam, ~/.steam/steam and the Flatpak package's folder.
QStringList steamRootFolders();

// The "steamapps" folders of the roots and of every library folder that a root's
// steamapps/libraryfolders.vdf lists (games often live on a second disk), each once even when
// reached through several links, only those that exist.
QStringList steamAppsFolders(const QStringList& roots);

// app id -> [AppID, GameName, InstallDir, ACFPath, IconPath, 0, false, false] for every
// "appmanifest_<id>.acf" in the folders, except the Steamworks redistributables' manifest.
// A game without its header picture in imageFolder gets it fetched.
QMap<QString, QVariantList> scanSteamApps(const QStringList& appsFolders, const QString& imageFolder,
                                          SteamHeaderImages& images);
