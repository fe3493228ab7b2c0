#pragma once
// Which foreground readers suit a desktop session, from the variables the session sets.
#include "platform/foreground_window.h"

#include <QString>
#include <memory>
#include <vector>

namespace platform {

enum class ForegroundReaderKind {
    X11,        // _NET_ACTIVE_WINDOW on the X root window (X sessions, XWayland programs)
    KWin,       // a KWin script that calls us over D-Bus (KDE Plasma on Wayland)
    GnomeShell, // a Shell extension that calls us over D-Bus (GNOME on Wayland)
    Wlroots,    // the foreign-toplevel protocol (sway, Hyprland, labwc ...)
};

struct DesktopSession {
    QString sessionType;    // XDG_SESSION_TYPE: "x11", "wayland", "tty" or empty
    QString currentDesktop; // XDG_CURRENT_DESKTOP: colon-separated names, e.g. "ubuntu:GNOME"
    bool hasWaylandDisplay = false;
    bool hasX11Display = false;
};

DesktopSession desktopSessionFromEnvironment();

bool isWaylandSession(const DesktopSession& session);

// The readers to try, best first. A Wayland session of a known compositor gets its own
// reader and then X11 for the programs that run under XWayland; anything else gets X11.
std::vector<ForegroundReaderKind> foregroundReadersFor(const DesktopSession& session);

const char* foregroundReaderName(ForegroundReaderKind kind);

// Starts the readers in order until one follows every window; all that were started stay.
class FallbackForegroundReader : public ForegroundWindowReader {
public:
    explicit FallbackForegroundReader(std::vector<std::unique_ptr<ForegroundWindowReader>> readers);
    bool start(ForegroundHandler handler) override;

private:
    std::vector<std::unique_ptr<ForegroundWindowReader>> m_readers;
};

} // namespace platform
