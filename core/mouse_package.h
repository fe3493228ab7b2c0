#pragma once
// Unpacking a downloaded mouse firmware package into its work folder.
#include <QString>

// Unpacks the package into mouseFolder/<workFolderName>, replacing what an earlier package
// left there. The package is unpacked into a fresh folder beside it first, so nothing in it
// can land anywhere else in mouseFolder (where the user's settings live); a package whose
// only top entry is a folder named like the work folder gives that folder, any other layout
// is the work folder as it is. A package with an entry that would leave its folder is refused
// whole. False on any failure; the work folder is then absent.
bool unpackMousePackage(const QString& archivePath, const QString& mouseFolder, const QString& workFolderName);
