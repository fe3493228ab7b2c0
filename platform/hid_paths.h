#pragma once
#include <QByteArray>

namespace platform {

// True when path names a HID device node of this OS. hidapi trusts its caller here: handed a
// regular file it crashes, so a path that arrives from elsewhere (QML, a saved setting) is
// checked before it is opened.
bool isHidDevicePath(const QByteArray& path);

} // namespace platform
