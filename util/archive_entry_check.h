#pragma once
// The rules an archive entry must pass before it is unpacked, kept apart from libarchive so
// they can be checked entry by entry, in archive order.
#include <QSet>
#include <QString>

enum class ArchiveEntryKind { File, Folder, HardLink, SymbolicLink, Other };

struct ArchiveEntryInfo {
    QString name;
    ArchiveEntryKind kind = ArchiveEntryKind::File;
    QString hardLinkTarget; // the earlier entry a hard link names
};

// The entry name as a plain relative path below the destination ("a/./b/../c" gives "a/c"),
// with "/" between parts. Empty when the name is empty, absolute ("/x", "\x", "C:x"), or
// climbs above the top with "..". A name is never handed to a path-joining routine: those
// give some names a meaning of their own (Qt takes ":name" for a resource path).
QString cleanArchiveEntryPath(const QString& name);

// Admits the entries of one archive in order. Symbolic links are refused whatever they name:
// no package needs one, and refusing them means no later entry can be written through one.
// A hard link must name a regular file admitted earlier; anything that is neither a file, a
// folder nor such a link (devices, pipes, sockets) is refused.
class ArchiveEntryCheck {
public:
    // The entry's place below the destination (as cleanArchiveEntryPath gives it), or an empty
    // string and the reason when the entry is refused. A folder entry naming the top itself
    // ("./") gives "." and is nothing to create.
    QString admit(const ArchiveEntryInfo& entry, QString* reason);

private:
    bool clashesWithEarlier(const QString& path, bool isFolder, QString* reason) const;
    void rememberFolders(const QString& path);

    QSet<QString> m_files;
    QSet<QString> m_folders;
};
