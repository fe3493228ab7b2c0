#include "util/archive.h"

#include "util/logging.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <archive.h>
#include <archive_entry.h>
#include <memory>

namespace {

using ArchiveReader = std::unique_ptr<archive, decltype(&archive_read_free)>;
using ArchiveWriter = std::unique_ptr<archive, decltype(&archive_write_free)>;

QStringList pathParts(const QString& path)
{
    QString unified = path;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return unified.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

bool looksAbsolute(const QString& path)
{
    if (path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1Char('\\')))
        return true;
    return path.size() >= 2 && path.at(1) == QLatin1Char(':'); // "C:..." drive paths
}

// Depth of the path below the top after "." and ".." are applied; -1 once it climbs above.
int depthAfterWalking(int startDepth, const QStringList& parts)
{
    int depth = startDepth;
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        depth += part == QLatin1String("..") ? -1 : 1;
        if (depth < 0)
            return -1;
    }
    return depth;
}

ArchiveReader openReader(const QString& archivePath)
{
    ArchiveReader reader(archive_read_new(), &archive_read_free);
    archive_read_support_format_all(reader.get());
    archive_read_support_filter_all(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(archivePath).constData(), 64 * 1024) != ARCHIVE_OK)
        return ArchiveReader(nullptr, &archive_read_free);
    return reader;
}

QString entryName(archive_entry* entry)
{
    const char* utf8 = archive_entry_pathname_utf8(entry);
    return utf8 ? QString::fromUtf8(utf8) : QFile::decodeName(archive_entry_pathname(entry));
}

bool entryIsSafe(archive_entry* entry, QString* reason)
{
    const QString name = entryName(entry);
    if (!isSafeArchiveEntryPath(name)) {
        *reason = QStringLiteral("entry leaves the destination: ") + name;
        return false;
    }
    if (const char* hardlink = archive_entry_hardlink(entry)) {
        if (!isSafeArchiveEntryPath(QString::fromUtf8(hardlink))) {
            *reason = QStringLiteral("hard link leaves the destination: ") + name;
            return false;
        }
    }
    if (const char* symlink = archive_entry_symlink(entry)) {
        if (!isSafeArchiveLinkTarget(name, QString::fromUtf8(symlink))) {
            *reason = QStringLiteral("symbolic link leaves the destination: ") + name;
            return false;
        }
    }
    return true;
}

// First pass: read every header and refuse the archive when any entry is unsafe or unreadable.
bool checkEveryEntry(const QString& archivePath, QString* reason)
{
    ArchiveReader reader = openReader(archivePath);
    if (!reader) {
        *reason = QStringLiteral("cannot open archive ") + archivePath;
        return false;
    }
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        if (!entryIsSafe(entry, reason))
            return false;
    }
    if (status != ARCHIVE_EOF) {
        *reason = QStringLiteral("broken archive: ") + QString::fromUtf8(archive_error_string(reader.get()));
        return false;
    }
    return true;
}

bool copyEntryData(archive* reader, archive* writer, QString* reason)
{
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    int status = ARCHIVE_OK;
    while ((status = archive_read_data_block(reader, &block, &size, &offset)) == ARCHIVE_OK) {
        if (archive_write_data_block(writer, block, size, offset) != ARCHIVE_OK) {
            *reason = QString::fromUtf8(archive_error_string(writer));
            return false;
        }
    }
    if (status != ARCHIVE_EOF) {
        *reason = QString::fromUtf8(archive_error_string(reader));
        return false;
    }
    return true;
}

bool extractEveryEntry(const QString& archivePath, const QDir& destination, QString* reason)
{
    ArchiveReader reader = openReader(archivePath);
    ArchiveWriter writer(archive_write_disk_new(), &archive_write_free);
    if (!reader) {
        *reason = QStringLiteral("cannot open archive ") + archivePath;
        return false;
    }
    // Every name was checked before; the targets are absolute paths below the destination, and
    // libarchive still refuses to write through a symbolic link on the way.
    archive_write_disk_set_options(writer.get(), ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_PERM
        | ARCHIVE_EXTRACT_SECURE_SYMLINKS);
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const QByteArray target = QFile::encodeName(QDir::cleanPath(destination.filePath(entryName(entry))));
        archive_entry_set_pathname(entry, target.constData());
        QByteArray linkTarget;
        if (const char* hardlink = archive_entry_hardlink(entry)) {
            linkTarget = QFile::encodeName(QDir::cleanPath(destination.filePath(QString::fromUtf8(hardlink))));
            archive_entry_set_hardlink(entry, linkTarget.constData());
        }
        if (archive_write_header(writer.get(), entry) != ARCHIVE_OK) {
            *reason = QString::fromUtf8(archive_error_string(writer.get()));
            return false;
        }
        if (archive_entry_size(entry) > 0 && !copyEntryData(reader.get(), writer.get(), reason))
            return false;
        if (archive_write_finish_entry(writer.get()) != ARCHIVE_OK) {
            *reason = QString::fromUtf8(archive_error_string(writer.get()));
            return false;
        }
    }
    if (status != ARCHIVE_EOF) {
        *reason = QString::fromUtf8(archive_error_string(reader.get()));
        return false;
    }
    return true;
}

} // namespace

bool isSafeArchiveEntryPath(const QString& entryPath)
{
    if (entryPath.isEmpty() || looksAbsolute(entryPath))
        return false;
    return depthAfterWalking(0, pathParts(entryPath)) >= 0;
}

bool isSafeArchiveLinkTarget(const QString& entryPath, const QString& target)
{
    if (target.isEmpty() || looksAbsolute(target))
        return false;
    const int linkFolderDepth = depthAfterWalking(0, pathParts(entryPath)) - 1;
    if (linkFolderDepth < 0)
        return false;
    return depthAfterWalking(linkFolderDepth, pathParts(target)) >= 0;
}

bool unzipArchive(const QString& archivePath, const QString& destination)
{
    QString reason;
    QDir target(destination);
    if (!checkEveryEntry(archivePath, &reason)) {
        writeStderr(QStringLiteral("Fail, archive refused: %1\n").arg(reason));
        qWarning() << "Archive refused:" << archivePath << reason;
        return false;
    }
    if (!target.exists() && !target.mkpath(QStringLiteral("."))) {
        writeStderr(QStringLiteral("Fail, cannot create %1\n").arg(destination));
        return false;
    }
    if (!extractEveryEntry(archivePath, target, &reason)) {
        writeStderr(QStringLiteral("Fail, %1\n").arg(reason));
        qWarning() << "Archive extraction failed:" << archivePath << reason;
        return false;
    }
    writeStdout(QStringLiteral("Success\n"));
    return true;
}
