#include "x11_test_client.h"


#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

X11TestClient::X11TestClient()
{
    XInitThreads();
    m_display = XOpenDisplay(nullptr);
}

X11TestClient::~X11TestClient()
{
    if (!m_display)
        return;
    if (m_window)
        XDestroyWindow(m_display, m_window);
    XCloseDisplay(m_display);
}

bool X11TestClient::showFocusedWindow()
{
    if (!m_display)
        return false;
    const Window root = DefaultRootWindow(m_display);
    m_window = XCreateSimpleWindow(m_display, root, 0, 0, 200, 100, 0, 0, 0);
    XSelectInput(m_display, m_window, KeyPressMask | KeyReleaseMask | StructureNotifyMask | FocusChangeMask);
    XMapRaised(m_display, m_window);
    XEvent event;
    do {
        XNextEvent(m_display, &event);
    } while (event.type != MapNotify);
    XSetInputFocus(m_display, m_window, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    return focus == m_window;
}

void X11TestClient::sendKey(const char* keysymName, bool down)
{
    const KeyCode keycode = XKeysymToKeycode(m_display, XStringToKeysym(keysymName));
    XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
    XSync(m_display, False);
}

void X11TestClient::tapKey(const char* keysymName)
{
    sendKey(keysymName, true);
    sendKey(keysymName, false);
}

QStringList X11TestClient::receivedKeys()
{
    XSync(m_display, False);
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type != KeyPress && event.type != KeyRelease)
            continue;
        const KeySym keysym = XLookupKeysym(&event.xkey, 0);
        const char* name = XKeysymToString(keysym);
        m_received << QStringLiteral("%1 %2").arg(event.type == KeyPress ? "press" : "release",
                                                   QString::fromLatin1(name ? name : "?"));
    }
    return m_received;
}
