#include "devices/mouse/hidapi_library.h"

#include "util/lazy_library.h"

#include <QDebug>

namespace {

HidapiLibrary loadHidapi()
{
    HidapiLibrary hidapi;
    LazyLibrary library("libhidapi-hidraw.so.0");
    const bool found = library.resolve("hid_init", hidapi.init)
        && library.resolve("hid_exit", hidapi.exit)
        && library.resolve("hid_enumerate", hidapi.enumerate)
        && library.resolve("hid_free_enumeration", hidapi.free_enumeration)
        && library.resolve("hid_open_path", hidapi.open_path)
        && library.resolve("hid_write", hidapi.write)
        && library.resolve("hid_read_timeout", hidapi.read_timeout)
        && library.resolve("hid_read", hidapi.read)
        && library.resolve("hid_error", hidapi.error)
        && library.resolve("hid_close", hidapi.close);
    if (!found) {
        hidapi.loadError = library.error();
        qWarning().noquote() << "No mouse can be reached:" << hidapi.loadError;
    }
    return hidapi;
}

} // namespace

const HidapiLibrary& libhidapi()
{
    static const HidapiLibrary library = loadHidapi();
    return library;
}
