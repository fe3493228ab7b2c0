#include "platform/key_injection.h"

#include "platform/linux/x11_display.h"
#include "platform/linux/x11_key_codes.h"

#include <QDebug>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <atomic>

namespace platform {

namespace {

const char kTag[] = "[windowsSimulateKeyPress]";

std::atomic<bool> g_missingDisplayLogged{false};

} // namespace

bool pressAndReleaseVirtualKey(unsigned short virtualKey)
{
    Display* display = openX11Display(kTag, "keys cannot be pressed", g_missingDisplayLogged);
    if (!display)
        return false;
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    bool sent = false;
    const KeySym keysym = keysymFromVirtualKey(virtualKey);
    const KeyCode keycode = keysym ? XKeysymToKeycode(display, keysym) : 0;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        qWarning() << kTag << "the X server has no XTEST extension: keys cannot be pressed";
    } else if (keycode == 0) {
        qWarning() << kTag << "no key on this keyboard for virtual key" << Qt::hex << virtualKey;
    } else {
        XTestFakeKeyEvent(display, keycode, True, CurrentTime);
        XTestFakeKeyEvent(display, keycode, False, CurrentTime);
        XSync(display, False);
        sent = true;
    }
    XCloseDisplay(display);
    return sent;
}

} // namespace platform
