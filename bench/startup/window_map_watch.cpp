#include "window_map_watch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

WindowMapWatch::WindowMapWatch() : m_display(XOpenDisplay(nullptr))
{
    if (m_display) {
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        ownTraySelection();
        XSync(m_display, False);
    }
}

void WindowMapWatch::ownTraySelection()
{
    const Atom selection = XInternAtom(m_display, "_NET_SYSTEM_TRAY_S0", False);
    if (XGetSelectionOwner(m_display, selection) != None)
        return; // a real notification area is there
    const Window tray = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(m_display, selection, tray, CurrentTime);
}

WindowMapWatch::~WindowMapWatch()
{
    if (m_display)
        XCloseDisplay(m_display);
}

void WindowMapWatch::reset()
{
    if (!m_display)
        return;
    XSync(m_display, False);
    XEvent event;
    while (XPending(m_display) > 0)
        XNextEvent(m_display, &event);
}

qint64 WindowMapWatch::windowPid(unsigned long window)
{
    const Atom pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    qint64 pid = -1;
    if (XGetWindowProperty(m_display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && count == 1 && format == 32)
        pid = qint64(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

qint64 WindowMapWatch::waitForMap(qint64 pid, const QElapsedTimer& clock, int timeoutMs, int minWidth)
{
    if (!m_display)
        return -1;
    const qint64 start = clock.elapsed();
    for (;;) {
        while (XPending(m_display) > 0) {
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type != MapNotify)
                continue;
            const qint64 seenAt = clock.elapsed();
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(m_display, event.xmap.window, &attributes) || attributes.width < minWidth)
                continue;
            if (windowPid(event.xmap.window) == pid)
                return seenAt;
        }
        const qint64 left = timeoutMs - (clock.elapsed() - start);
        if (left <= 0)
            return -1;
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        poll(&fd, 1, int(left));
    }
}
