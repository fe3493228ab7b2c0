#pragma once
// Real zip archives for the firmware tests, written with libarchive.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <archive.h>
#include <archive_entry.h>

struct ZipEntry {
    QByteArray path;
    QByteArray content;
    int permissions = 0644;
};

inline QByteArray zipBytes(const QList<ZipEntry>& entries)
{
    QByteArray bytes(1024 * 1024, '\0');
    size_t used = 0;
    archive* writer = archive_write_new();
    archive_write_set_format_zip(writer);
    archive_write_open_memory(writer, bytes.data(), size_t(bytes.size()), &used);
    for (const ZipEntry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.constData());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, e.permissions);
        archive_entry_set_size(entry, e.content.size());
        archive_write_header(writer, entry);
        archive_write_data(writer, e.content.constData(), size_t(e.content.size()));
        archive_entry_free(entry);
    }
    archive_write_close(writer);
    archive_write_free(writer);
    bytes.truncate(int(used));
    return bytes;
}
