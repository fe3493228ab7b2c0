#include "platform/foreground_window.h"

#include "platform/foreground_session.h"
#include "platform/linux/foreground_readers.h"

#include <QDebug>
#include <atomic>

namespace platform {

namespace {

std::atomic<bool> g_wlrootsLogged{false};

std::unique_ptr<ForegroundWindowReader> createReader(ForegroundReaderKind kind)
{
    switch (kind) {
    case ForegroundReaderKind::X11: return createX11ForegroundReader();
    case ForegroundReaderKind::KWin: return createKWinForegroundReader();
    case ForegroundReaderKind::GnomeShell: return createGnomeForegroundReader();
    case ForegroundReaderKind::Wlroots:
        // Debian 12 ships the foreign-toplevel protocol description in no package, so this
        // build has no client for it.
        if (!g_wlrootsLogged.exchange(true))
            qWarning() << "[Monitor] this wlroots compositor's list of windows cannot be read by this build:"
                          " only programs under XWayland are followed";
        return nullptr;
    }
    return nullptr;
}

} // namespace

std::unique_ptr<ForegroundWindowReader> createForegroundWindowReader()
{
    const DesktopSession session = desktopSessionFromEnvironment();
    std::vector<std::unique_ptr<ForegroundWindowReader>> readers;
    for (ForegroundReaderKind kind : foregroundReadersFor(session)) {
        if (std::unique_ptr<ForegroundWindowReader> reader = createReader(kind))
            readers.push_back(std::move(reader));
    }
    return std::make_unique<FallbackForegroundReader>(std::move(readers));
}

} // namespace platform
