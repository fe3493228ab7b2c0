#pragma once
// Unpacking downloaded packages (zip and the other formats libarchive reads).
#include <QString>

// True when an entry name stays inside the folder it is unpacked into: not absolute, no drive
// letter, and no ".." that climbs above the top.
bool isSafeArchiveEntryPath(const QString& entryPath);

// Unpacks archivePath so that its entries end up in destination, which the unpacked folder
// replaces whole. Everything is unpacked into a fresh folder beside destination first (see
// ArchiveEntryCheck for what an entry may be), and that folder is moved into place only when
// every entry was unpacked: a refused or broken archive leaves destination as it was and
// nothing else behind.
// An archive that would unpack to more than maxBytes is refused the same way: a package is
// never allowed to fill the disk.
constexpr qint64 kMaxUnpackedBytes = 1024LL * 1024 * 1024;
bool unzipArchive(const QString& archivePath, const QString& destination, qint64 maxBytes = kMaxUnpackedBytes);
