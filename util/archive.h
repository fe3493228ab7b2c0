#pragma once
// Unpacking downloaded packages (zip and the other formats libarchive reads).
#include <QString>

// True when an entry name stays inside the folder it is unpacked into: not absolute, no drive
// letter, and no ".." that climbs above the top.
bool isSafeArchiveEntryPath(const QString& entryPath);
// True when a symbolic link stored at entryPath pointing at target stays inside the folder.
bool isSafeArchiveLinkTarget(const QString& entryPath, const QString& target);

// Unpacks archivePath into destination (created when missing). The whole archive is checked
// first: one entry that would land outside the destination refuses it and nothing is written.
bool unzipArchive(const QString& archivePath, const QString& destination);
