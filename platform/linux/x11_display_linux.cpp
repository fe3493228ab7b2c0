#include "platform/linux/x11_display.h"

#include <QDebug>
#include <QString>
#include <QtGlobal>

#include <X11/Xlib.h>

#include <mutex>

namespace platform {

namespace {

QString missingDisplayReason()
{
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty() && !qgetenv("WAYLAND_DISPLAY").isEmpty())
        return QStringLiteral("this Wayland session offers no X display (DISPLAY is not set)");
    if (display.isEmpty())
        return QStringLiteral("there is no X display (DISPLAY is not set)");
    return QStringLiteral("the X display \"%1\" cannot be opened").arg(QString::fromLocal8Bit(display));
}

} // namespace

_XDisplay* openX11Display(const char* tag, const char* effect, std::atomic<bool>& loggedFlag)
{
    // Each service keeps its own connection on its own thread; Xlib must know it is shared.
    static std::once_flag threadsReady;
    std::call_once(threadsReady, [] { XInitThreads(); });

    Display* display = nullptr;
    if (!qgetenv("DISPLAY").isEmpty())
        display = XOpenDisplay(nullptr);
    if (!display && !loggedFlag.exchange(true))
        qWarning().noquote() << QStringLiteral("%1 %2: %3").arg(QLatin1String(tag), QLatin1String(effect),
                                                                missingDisplayReason());
    return display;
}

} // namespace platform
