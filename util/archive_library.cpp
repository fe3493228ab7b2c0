#include "util/archive_library.h"

#include "util/lazy_library.h"

#include <QDebug>

namespace {

ArchiveLibrary loadArchive()
{
    ArchiveLibrary archive;
    LazyLibrary library("libarchive.so.13");
    const bool found =
           library.resolve("archive_read_new", archive.read_new)
        && library.resolve("archive_read_free", archive.read_free)
        && library.resolve("archive_read_support_format_all", archive.read_support_format_all)
        && library.resolve("archive_read_support_filter_all", archive.read_support_filter_all)
        && library.resolve("archive_read_open_filename", archive.read_open_filename)
        && library.resolve("archive_read_next_header", archive.read_next_header)
        && library.resolve("archive_read_data_block", archive.read_data_block)
        && library.resolve("archive_write_disk_new", archive.write_disk_new)
        && library.resolve("archive_write_disk_set_options", archive.write_disk_set_options)
        && library.resolve("archive_write_header", archive.write_header)
        && library.resolve("archive_write_data_block", archive.write_data_block)
        && library.resolve("archive_write_finish_entry", archive.write_finish_entry)
        && library.resolve("archive_write_close", archive.write_close)
        && library.resolve("archive_write_free", archive.write_free)
        && library.resolve("archive_error_string", archive.error_string)
        && library.resolve("archive_entry_pathname", archive.entry_pathname)
        && library.resolve("archive_entry_pathname_utf8", archive.entry_pathname_utf8)
        && library.resolve("archive_entry_hardlink", archive.entry_hardlink)
        && library.resolve("archive_entry_hardlink_utf8", archive.entry_hardlink_utf8)
        && library.resolve("archive_entry_symlink", archive.entry_symlink)
        && library.resolve("archive_entry_filetype", archive.entry_filetype)
        && library.resolve("archive_entry_perm", archive.entry_perm)
        && library.resolve("archive_entry_size", archive.entry_size)
        && library.resolve("archive_entry_size_is_set", archive.entry_size_is_set)
        && library.resolve("archive_entry_set_pathname", archive.entry_set_pathname)
        && library.resolve("archive_entry_set_hardlink", archive.entry_set_hardlink)
        && library.resolve("archive_entry_set_perm", archive.entry_set_perm);
    if (!found) {
        archive.error = library.error();
        qWarning().noquote() << "No packages can be unpacked:" << archive.error;
    }
    return archive;
}

} // namespace

const ArchiveLibrary& libarchive()
{
    static const ArchiveLibrary library = loadArchive();
    return library;
}
