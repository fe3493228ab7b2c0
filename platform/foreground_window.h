#pragma once
// Which window is in front of the user, and which program it belongs to.
#include <QString>
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
};

class ForegroundWindowReader {
public:
    virtual ~ForegroundWindowReader() = default;
    // False when the desktop cannot be asked (no display, or a desktop that does not tell);
    // the reason has been logged once.
    virtual bool available() const = 0;
    // The window in front now; nothing when there is none, or it has no known process.
    virtual std::optional<ForegroundWindow> read() = 0;
};

// The reader of the running desktop (X11 on Linux: the window manager's _NET_ACTIVE_WINDOW).
std::unique_ptr<ForegroundWindowReader> createForegroundWindowReader();

} // namespace platform
