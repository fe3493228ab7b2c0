#pragma once
// The downloaded application installer: where it goes, what it is called, running it.
#include <QString>

// "BELVARINTH_TALVORIN_" + version + the suffix of the link's file name (".AppImage", ".run"...).
// Empty when the version, which comes from the server, is not a plain name: it must never
// carry a path separator or anything else that would place the file outside its folder.
QString installerFileName(const QString& version, const QString& link);

// The user's download folder.
QString installerFolder();

// Marks the file executable for its owner, then runs it directly (no shell) and waits until
// it ends. False when it could not be started.
bool runInstaller(const QString& path);
