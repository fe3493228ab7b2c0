#pragma once
// hidapi's functions, looked up when the first mouse is looked for (see LazyLibrary): a start
// on the virtual devices never loads it.
#include <QString>
#include <hidapi/hidapi.h>

struct HidapiLibrary {
    decltype(&::hid_init) init = nullptr;
    decltype(&::hid_exit) exit = nullptr;
    decltype(&::hid_enumerate) enumerate = nullptr;
    decltype(&::hid_free_enumeration) free_enumeration = nullptr;
    decltype(&::hid_open_path) open_path = nullptr;
    decltype(&::hid_write) write = nullptr;
    decltype(&::hid_read_timeout) read_timeout = nullptr;
    decltype(&::hid_read) read = nullptr;
    decltype(&::hid_error) error = nullptr;
    decltype(&::hid_close) close = nullptr;
    // Empty when every function was found.
    QString loadError;

    bool ready() const { return loadError.isEmpty(); }
};

// Loaded once, by whichever thread asks first.
const HidapiLibrary& libhidapi();
