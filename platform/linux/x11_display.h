#pragma once
// Connections to the X server for the input services (keyboard hook, key injection).
#include <atomic>

struct _XDisplay;

namespace platform {

// Opens a new connection to the X server named by DISPLAY. Without one, returns nullptr and,
// the first time for the caller's `loggedFlag`, logs one line: "<tag> <effect>: <reason>".
_XDisplay* openX11Display(const char* tag, const char* effect, std::atomic<bool>& loggedFlag);

} // namespace platform
