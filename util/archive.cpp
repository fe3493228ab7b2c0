#include "util/archive.h"

#include "util/archive_entry_check.h"
#include "util/archive_library.h"
#include "util/files.h"
#include "util/logging.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace {

struct ReaderFree {
    void operator()(archive* reader) const { libarchive().read_free(reader); }
};
struct WriterFree {
    void operator()(archive* writer) const { libarchive().write_free(writer); }
};
using ArchiveReader = std::unique_ptr<archive, ReaderFree>;
using ArchiveWriter = std::unique_ptr<archive, WriterFree>;

// Nothing unpacked is set-id, sticky or writable by others; the owner can always read and
// write what it unpacked.
constexpr int kFilePermissionMask = 0755;
constexpr int kOwnerFile = 0600;
constexpr int kOwnerFolder = 0700;

ArchiveReader openReader(const QString& archivePath)
{
    ArchiveReader reader(libarchive().read_new());
    libarchive().read_support_format_all(reader.get());
    libarchive().read_support_filter_all(reader.get());
    if (libarchive().read_open_filename(reader.get(), QFile::encodeName(archivePath).constData(), 64 * 1024) != ARCHIVE_OK)
        return ArchiveReader();
    return reader;
}

QString decodedName(const char* utf8, const char* raw)
{
    if (utf8)
        return QString::fromUtf8(utf8);
    return raw ? QFile::decodeName(raw) : QString();
}

ArchiveEntryInfo describe(archive_entry* entry)
{
    ArchiveEntryInfo info;
    info.name = decodedName(libarchive().entry_pathname_utf8(entry), libarchive().entry_pathname(entry));
    const char* hardlink = libarchive().entry_hardlink(entry);
    if (hardlink) {
        info.kind = ArchiveEntryKind::HardLink;
        info.hardLinkTarget = decodedName(libarchive().entry_hardlink_utf8(entry), hardlink);
        return info;
    }
    switch (libarchive().entry_filetype(entry)) {
    case AE_IFREG: info.kind = ArchiveEntryKind::File; break;
    case AE_IFDIR: info.kind = ArchiveEntryKind::Folder; break;
    case AE_IFLNK: info.kind = ArchiveEntryKind::SymbolicLink; break;
    default: info.kind = libarchive().entry_symlink(entry) ? ArchiveEntryKind::SymbolicLink : ArchiveEntryKind::Other;
    }
    return info;
}

bool copyEntryData(archive* reader, archive* writer, qint64* budget, QString* reason)
{
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    int status = ARCHIVE_OK;
    while ((status = libarchive().read_data_block(reader, &block, &size, &offset)) == ARCHIVE_OK) {
        *budget -= qint64(size);
        if (*budget < 0) {
            *reason = QStringLiteral("the archive unpacks to more than the limit");
            return false;
        }
        if (libarchive().write_data_block(writer, block, size, offset) != ARCHIVE_OK) {
            *reason = QString::fromUtf8(libarchive().error_string(writer));
            return false;
        }
    }
    if (status != ARCHIVE_EOF) {
        *reason = QString::fromUtf8(libarchive().error_string(reader));
        return false;
    }
    return true;
}

// Points the entry at its place below the fresh folder. The folder path has no link in it
// (it is canonical) and the place was built part by part from the checked name.
void placeEntry(archive_entry* entry, const ArchiveEntryInfo& info, const QString& place, const QString& folder,
                QByteArray* pathBytes, QByteArray* linkBytes)
{
    *pathBytes = QFile::encodeName(folder + QLatin1Char('/') + place);
    libarchive().entry_set_pathname(entry, pathBytes->constData());
    if (info.kind == ArchiveEntryKind::HardLink) {
        *linkBytes = QFile::encodeName(folder + QLatin1Char('/') + cleanArchiveEntryPath(info.hardLinkTarget));
        libarchive().entry_set_hardlink(entry, linkBytes->constData());
        return;
    }
    const int owner = info.kind == ArchiveEntryKind::Folder ? kOwnerFolder : kOwnerFile;
    libarchive().entry_set_perm(entry, (libarchive().entry_perm(entry) & kFilePermissionMask) | owner);
}

bool writeEntry(archive* reader, archive* writer, archive_entry* entry, qint64* budget, QString* reason)
{
    if (libarchive().write_header(writer, entry) != ARCHIVE_OK) {
        *reason = QString::fromUtf8(libarchive().error_string(writer));
        return false;
    }
    const bool hasData = libarchive().entry_size(entry) > 0 || !libarchive().entry_size_is_set(entry);
    if (hasData && !copyEntryData(reader, writer, budget, reason))
        return false;
    if (libarchive().write_finish_entry(writer) != ARCHIVE_OK) {
        *reason = QString::fromUtf8(libarchive().error_string(writer));
        return false;
    }
    return true;
}

ArchiveWriter openDiskWriter()
{
    ArchiveWriter writer(libarchive().write_disk_new());
    // libarchive's own guards stay on behind ours: no writing through a link, no "..". Its
    // refusal of absolute paths cannot be used, since the places handed to it are absolute.
    libarchive().write_disk_set_options(writer.get(), ARCHIVE_EXTRACT_TIME | ARCHIVE_EXTRACT_PERM
        | ARCHIVE_EXTRACT_SECURE_SYMLINKS | ARCHIVE_EXTRACT_SECURE_NODOTDOT);
    return writer;
}

bool extractEveryEntry(const QString& archivePath, const QString& folder, qint64 budget, QString* reason)
{
    ArchiveReader reader = openReader(archivePath);
    if (!reader) {
        *reason = QStringLiteral("cannot open archive ") + archivePath;
        return false;
    }
    ArchiveWriter writer = openDiskWriter();
    ArchiveEntryCheck check;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = libarchive().read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const ArchiveEntryInfo info = describe(entry);
        const QString place = check.admit(info, reason);
        if (place.isEmpty())
            return false;
        if (place == QLatin1String("."))
            continue;
        QByteArray pathBytes;
        QByteArray linkBytes;
        placeEntry(entry, info, place, folder, &pathBytes, &linkBytes);
        if (!writeEntry(reader.get(), writer.get(), entry, &budget, reason))
            return false;
    }
    if (status != ARCHIVE_EOF) {
        *reason = QStringLiteral("broken archive: ") + QString::fromUtf8(libarchive().error_string(reader.get()));
        return false;
    }
    if (libarchive().write_close(writer.get()) != ARCHIVE_OK) {
        *reason = QString::fromUtf8(libarchive().error_string(writer.get()));
        return false;
    }
    return true;
}

bool removeOldDestination(const QString& destination)
{
    const QFileInfo old(destination);
    if (!old.exists() && !old.isSymLink())
        return true;
    if (old.isDir() && !old.isSymLink())
        return removeDirectoryByShell(destination);
    return QFile::remove(destination);
}

bool fail(const QString& archivePath, const QString& reason)
{
    writeStderr(QStringLiteral("Fail, %1\n").arg(reason));
    qWarning() << "Archive not unpacked:" << archivePath << reason;
    return false;
}

} // namespace

bool isSafeArchiveEntryPath(const QString& entryPath)
{
    const QString clean = cleanArchiveEntryPath(entryPath);
    return !clean.isEmpty();
}

bool unzipArchive(const QString& archivePath, const QString& destination, qint64 maxBytes)
{
    if (!libarchive().ready())
        return fail(archivePath, libarchive().error);
    const QString parent = QFileInfo(destination).absolutePath();
    if (!QDir().mkpath(parent))
        return fail(archivePath, QStringLiteral("cannot create ") + parent);
    QTemporaryDir fresh(parent + QStringLiteral("/.unpacking-XXXXXX"));
    const QString folder = QFileInfo(fresh.path()).canonicalFilePath();
    if (!fresh.isValid() || folder.isEmpty())
        return fail(archivePath, QStringLiteral("cannot create a folder to unpack into beside ") + destination);
    QString reason;
    if (!extractEveryEntry(archivePath, folder, maxBytes, &reason))
        return fail(archivePath, QStringLiteral("archive refused: ") + reason);
    if (!removeOldDestination(destination))
        return fail(archivePath, QStringLiteral("cannot replace ") + destination);
    if (!QDir().rename(folder, destination))
        return fail(archivePath, QStringLiteral("cannot move the unpacked folder to ") + destination);
    fresh.setAutoRemove(false);
    writeStdout(QStringLiteral("Success\n"));
    return true;
}
