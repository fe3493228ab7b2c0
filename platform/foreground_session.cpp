#include "platform/foreground_session.h"

#include <QStringList>

namespace platform {

namespace {

bool desktopIs(const DesktopSession& session, std::initializer_list<const char*> names)
{
    const QStringList parts = session.currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        for (const char* name : names) {
            if (part.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

DesktopSession desktopSessionFromEnvironment()
{
    DesktopSession session;
    session.sessionType = qEnvironmentVariable("XDG_SESSION_TYPE").trimmed().toLower();
    session.currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    session.hasWaylandDisplay = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    session.hasX11Display = !qEnvironmentVariableIsEmpty("DISPLAY");
    return session;
}

bool isWaylandSession(const DesktopSession& session)
{
    if (session.sessionType == QLatin1String("wayland"))
        return true;
    // Started outside a login session (a terminal of its own, a service): the displays tell.
    return session.sessionType.isEmpty() && session.hasWaylandDisplay && !session.hasX11Display;
}

std::vector<ForegroundReaderKind> foregroundReadersFor(const DesktopSession& session)
{
    if (!isWaylandSession(session))
        return {ForegroundReaderKind::X11};
    if (desktopIs(session, {"KDE"}))
        return {ForegroundReaderKind::KWin, ForegroundReaderKind::X11};
    if (desktopIs(session, {"GNOME", "GNOME-Classic"}))
        return {ForegroundReaderKind::GnomeShell, ForegroundReaderKind::X11};
    if (desktopIs(session, {"sway", "Hyprland", "labwc", "wlroots", "river", "Wayfire"}))
        return {ForegroundReaderKind::Wlroots, ForegroundReaderKind::X11};
    return {ForegroundReaderKind::X11};
}

const char* foregroundReaderName(ForegroundReaderKind kind)
{
    switch (kind) {
    case ForegroundReaderKind::X11: return "X11";
    case ForegroundReaderKind::KWin: return "KWin";
    case ForegroundReaderKind::GnomeShell: return "GNOME Shell";
    case ForegroundReaderKind::Wlroots: return "wlroots";
    }
    return "unknown";
}

FallbackForegroundReader::FallbackForegroundReader(std::vector<std::unique_ptr<ForegroundWindowReader>> readers)
    : m_readers(std::move(readers))
{
}

bool FallbackForegroundReader::start(ForegroundHandler handler)
{
    for (const std::unique_ptr<ForegroundWindowReader>& reader : m_readers) {
        if (reader && reader->start(handler))
            return true;
    }
    return false;
}

} // namespace platform
