#pragma once
// libarchive's functions, looked up when the first package is unpacked (see LazyLibrary).
#include <QString>
#include <archive.h>
#include <archive_entry.h>

struct ArchiveLibrary {
    decltype(&::archive_read_new) read_new = nullptr;
    decltype(&::archive_read_free) read_free = nullptr;
    decltype(&::archive_read_support_format_all) read_support_format_all = nullptr;
    decltype(&::archive_read_support_filter_all) read_support_filter_all = nullptr;
    decltype(&::archive_read_open_filename) read_open_filename = nullptr;
    decltype(&::archive_read_next_header) read_next_header = nullptr;
    decltype(&::archive_read_data_block) read_data_block = nullptr;
    decltype(&::archive_write_disk_new) write_disk_new = nullptr;
    decltype(&::archive_write_disk_set_options) write_disk_set_options = nullptr;
    decltype(&::archive_write_header) write_header = nullptr;
    decltype(&::archive_write_data_block) write_data_block = nullptr;
    decltype(&::archive_write_finish_entry) write_finish_entry = nullptr;
    decltype(&::archive_write_close) write_close = nullptr;
    decltype(&::archive_write_free) write_free = nullptr;
    decltype(&::archive_error_string) error_string = nullptr;
    decltype(&::archive_entry_pathname) entry_pathname = nullptr;
    decltype(&::archive_entry_pathname_utf8) entry_pathname_utf8 = nullptr;
    decltype(&::archive_entry_hardlink) entry_hardlink = nullptr;
    decltype(&::archive_entry_hardlink_utf8) entry_hardlink_utf8 = nullptr;
    decltype(&::archive_entry_symlink) entry_symlink = nullptr;
    decltype(&::archive_entry_filetype) entry_filetype = nullptr;
    decltype(&::archive_entry_perm) entry_perm = nullptr;
    decltype(&::archive_entry_size) entry_size = nullptr;
    decltype(&::archive_entry_size_is_set) entry_size_is_set = nullptr;
    decltype(&::archive_entry_set_pathname) entry_set_pathname = nullptr;
    decltype(&::archive_entry_set_hardlink) entry_set_hardlink = nullptr;
    decltype(&::archive_entry_set_perm) entry_set_perm = nullptr;
    // Empty when every function was found.
    QString error;

    bool ready() const { return error.isEmpty(); }
};

// Loaded once, by whichever thread asks first.
const ArchiveLibrary& libarchive();
