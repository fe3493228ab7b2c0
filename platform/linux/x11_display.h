#pragma once
// Connections to the X server for the input services (keyboard hook, key injection).
#include <QString>

#include <atomic>

struct _XDisplay;

namespace platform {

// Opens a new connection to the X server named by DISPLAY. Without one, returns nullptr and,
// the first time for the caller's `loggedFlag`, logs one line: "<tag> <effect>: <reason>".
_XDisplay* openX11Display(const char* tag, const char* effect, std::atomic<bool>& loggedFlag);

// Why no X display can be used: DISPLAY unset (in a Wayland session or not), or not opening.
QString missingX11DisplayReason();

} // namespace platform
