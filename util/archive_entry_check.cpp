#include "util/archive_entry_check.h"

#include <QStringList>

namespace {

bool looksAbsolute(const QString& name)
{
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return true;
    // "C:..." drive paths
    return name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter();
}

QString parentOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

} // namespace

QString cleanArchiveEntryPath(const QString& name)
{
    if (name.isEmpty() || looksAbsolute(name))
        return QString();
    QString unified = name;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList kept;
    const QStringList parts = unified.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (kept.isEmpty())
                return QString();
            kept.removeLast();
            continue;
        }
        kept.append(part);
    }
    return kept.isEmpty() ? QStringLiteral(".") : kept.join(QLatin1Char('/'));
}

QString ArchiveEntryCheck::admit(const ArchiveEntryInfo& entry, QString* reason)
{
    const QString path = cleanArchiveEntryPath(entry.name);
    if (path.isEmpty()) {
        *reason = QStringLiteral("entry leaves the destination: ") + entry.name;
        return QString();
    }
    switch (entry.kind) {
    case ArchiveEntryKind::SymbolicLink:
        *reason = QStringLiteral("symbolic links are not unpacked: ") + entry.name;
        return QString();
    case ArchiveEntryKind::Other:
        *reason = QStringLiteral("entry is neither a file nor a folder: ") + entry.name;
        return QString();
    case ArchiveEntryKind::Folder:
        if (path == QLatin1String("."))
            return path;
        if (clashesWithEarlier(path, true, reason))
            return QString();
        rememberFolders(path);
        return path;
    case ArchiveEntryKind::HardLink: {
        const QString target = cleanArchiveEntryPath(entry.hardLinkTarget);
        if (target.isEmpty() || !m_files.contains(target)) {
            *reason = QStringLiteral("hard link names no earlier file of the archive: ") + entry.name
                + QStringLiteral(" -> ") + entry.hardLinkTarget;
            return QString();
        }
        break;
    }
    case ArchiveEntryKind::File:
        break;
    }
    if (path == QLatin1String(".") || clashesWithEarlier(path, false, reason)) {
        if (reason->isEmpty())
            *reason = QStringLiteral("file entry names the destination itself: ") + entry.name;
        return QString();
    }
    rememberFolders(parentOf(path));
    m_files.insert(path);
    return path;
}

bool ArchiveEntryCheck::clashesWithEarlier(const QString& path, bool isFolder, QString* reason) const
{
    if (isFolder ? m_files.contains(path) : m_folders.contains(path)) {
        *reason = QStringLiteral("entry changes the kind of an earlier entry: ") + path;
        return true;
    }
    for (QString up = parentOf(path); !up.isEmpty(); up = parentOf(up)) {
        if (m_files.contains(up)) {
            *reason = QStringLiteral("entry lies below an earlier file: ") + path;
            return true;
        }
    }
    return false;
}

void ArchiveEntryCheck::rememberFolders(const QString& path)
{
    for (QString up = path; !up.isEmpty(); up = parentOf(up))
        m_folders.insert(up);
}
