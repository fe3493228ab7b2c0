#pragma once
// Which window is in front of the user, and which program it belongs to. Readers follow the
// desktop's own notice of a change (a property of the X root window, a call from the
// compositor over D-Bus) and push each window in front to one handler; none of them polls.
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace platform {

struct ForegroundWindow {
    QString title;
    qint64 processId = 0;
    // The program's file (empty when the system does not tell, e.g. another user's process).
    QString executablePath;
    // The first word of the process's command line: for a program run by a compatibility
    // layer (Wine) the program the layer runs, where executablePath names the layer.
    QString firstArgument;
    // What the desktop calls the program (X window class, Wayland application id); logged.
    QString applicationId;
};

// Receives each window in front, on the thread that started the reader.
using ForegroundHandler = std::function<void(const ForegroundWindow&)>;

class ForegroundWindowReader {
public:
    virtual ~ForegroundWindowReader() = default;
    // Starts following the window in front on the calling thread's event loop: the handler
    // gets the window in front now (when it is known) and one after each change, until the
    // reader is destroyed. False when this reader cannot follow every window of this desktop
    // (the reason has been logged once); it may still report some of them.
    virtual bool start(ForegroundHandler handler) = 0;
};

// The readers for the running desktop session, tried in order until one follows every
// window; the ones tried first stay in place. X11 on X sessions and as the fallback for
// programs under XWayland; KWin and GNOME Shell report over D-Bus on their Wayland sessions.
std::unique_ptr<ForegroundWindowReader> createForegroundWindowReader();

// The X reader alone (the window manager's _NET_ACTIVE_WINDOW on the root window).
std::unique_ptr<ForegroundWindowReader> createX11ForegroundReader();

} // namespace platform
