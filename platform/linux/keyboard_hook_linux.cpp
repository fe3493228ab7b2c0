#include "platform/keyboard_hook.h"

#include "platform/key_state_tracker.h"
#include "platform/linux/x11_display.h"
#include "platform/linux/x11_key_codes.h"

#include <QDebug>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <atomic>

namespace platform {

namespace {

const char kTag[] = "[KEYBOARD_HOOK]";

std::atomic<bool> g_missingDisplayLogged{false};
std::atomic<bool> g_waylandLimitLogged{false};

// Xlib reports protocol errors through one process-wide handler; it is swapped in only
// around the grab requests, whose BadAccess (another program holds the key) is expected.
std::atomic<int> g_lastGrabError{0};

int recordGrabError(Display*, XErrorEvent* error)
{
    g_lastGrabError = error->error_code;
    return 0;
}

// Observes raw key events of every keyboard on the root window (XInput 2), which arrive
// whichever window has the focus, and holds keys back with passive grabs on the root window.
// While one of those grabs is active the key arrives as a core event instead of a raw one,
// so both are read and the tracker drops what was already seen.
class X11KeyboardHook : public KeyboardHookBackend {
public:
    ~X11KeyboardHook() override { remove(); }

    bool install(const std::vector<int>& swallowedVirtualKeys) override;
    void remove() override;
    PumpResult pumpOne(const KeyHandler& handler) override;
    void waitForEvents(const WakeSignal& wake) override;
    bool isKeyDown(int virtualKey) const override { return m_keys.isDown(virtualKey); }

private:
    bool selectRawKeyEvents();
    void readKeysAlreadyHeld();
    void grabKey(int virtualKey);
    int virtualKeyOf(int keycode) const;
    void deliver(int keycode, bool down, const KeyHandler& handler);
    static void onConnectionLost(Display*, void* self);

    Display* m_display = nullptr;
    int m_xinputOpcode = 0;
    std::vector<int> m_grabbedKeycodes;
    KeyStateTracker m_keys;
    bool m_connectionLost = false;
};

bool X11KeyboardHook::install(const std::vector<int>& swallowedVirtualKeys)
{
    remove();
    m_display = openX11Display(kTag, "keys cannot be observed", g_missingDisplayLogged);
    if (!m_display)
        return false;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !g_waylandLimitLogged.exchange(true))
        qWarning() << kTag << "Wayland session: only keys typed into X programs can be observed";
    m_connectionLost = false;
    XSetIOErrorExitHandler(m_display, &X11KeyboardHook::onConnectionLost, this);
    if (!selectRawKeyEvents()) {
        remove();
        return false;
    }
    readKeysAlreadyHeld();
    for (int virtualKey : swallowedVirtualKeys)
        grabKey(virtualKey);
    XSync(m_display, False);
    return true;
}

bool X11KeyboardHook::selectRawKeyEvents()
{
    int event = 0;
    int error = 0;
    if (!XQueryExtension(m_display, "XInputExtension", &m_xinputOpcode, &event, &error)) {
        qWarning() << kTag << "the X server has no XInput extension: keys cannot be observed";
        return false;
    }
    // 2.2 is asked for because from 2.1 on raw events arrive even while another client grabs
    // the keyboard.
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(m_display, &major, &minor) != Success) {
        qWarning() << kTag << "the X server's XInput is older than 2.0: keys cannot be observed";
        return false;
    }
    unsigned char maskBits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(maskBits, XI_RawKeyPress);
    XISetMask(maskBits, XI_RawKeyRelease);
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof(maskBits);
    mask.mask = maskBits;
    XISelectEvents(m_display, DefaultRootWindow(m_display), &mask, 1);
    return true;
}

void X11KeyboardHook::readKeysAlreadyHeld()
{
    m_keys.clear();
    char bits[32] = {};
    XQueryKeymap(m_display, bits);
    for (int keycode = 8; keycode < 256; ++keycode) {
        if (bits[keycode / 8] & (1 << (keycode % 8)))
            m_keys.apply(keycode, virtualKeyOf(keycode), true);
    }
}

void X11KeyboardHook::grabKey(int virtualKey)
{
    const KeySym keysym = keysymFromVirtualKey(virtualKey);
    const int keycode = keysym ? XKeysymToKeycode(m_display, keysym) : 0;
    if (keycode == 0) {
        qWarning() << kTag << "no key on this keyboard for virtual key" << Qt::hex << virtualKey;
        return;
    }
    XSync(m_display, False);
    g_lastGrabError = 0;
    XErrorHandler previous = XSetErrorHandler(recordGrabError);
    XGrabKey(m_display, keycode, AnyModifier, DefaultRootWindow(m_display), False, GrabModeAsync,
             GrabModeAsync);
    XSync(m_display, False);
    XSetErrorHandler(previous);
    if (g_lastGrabError != 0) {
        qWarning() << kTag << "cannot hold back virtual key" << Qt::hex << virtualKey
                   << "from other programs: another program has grabbed it";
        return;
    }
    m_grabbedKeycodes.push_back(keycode);
}

void X11KeyboardHook::remove()
{
    if (!m_display)
        return;
    if (!m_connectionLost) {
        for (int keycode : m_grabbedKeycodes)
            XUngrabKey(m_display, keycode, AnyModifier, DefaultRootWindow(m_display));
        XSync(m_display, False);
    }
    m_grabbedKeycodes.clear();
    XCloseDisplay(m_display);
    m_display = nullptr;
}

KeyboardHookBackend::PumpResult X11KeyboardHook::pumpOne(const KeyHandler& handler)
{
    if (!m_display)
        return PumpResult::Idle;
    if (m_connectionLost || XPending(m_display) == 0)
        return m_connectionLost ? PumpResult::Quit : PumpResult::Idle;
    XEvent event;
    XNextEvent(m_display, &event);
    if (event.type == GenericEvent && event.xcookie.extension == m_xinputOpcode
        && XGetEventData(m_display, &event.xcookie)) {
        const int type = event.xcookie.evtype;
        if (type == XI_RawKeyPress || type == XI_RawKeyRelease) {
            const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
            deliver(raw->detail, type == XI_RawKeyPress, handler);
        }
        XFreeEventData(m_display, &event.xcookie);
    } else if (event.type == KeyPress || event.type == KeyRelease) {
        deliver(int(event.xkey.keycode), event.type == KeyPress, handler);
    } else if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
    }
    return PumpResult::Dispatched;
}

void X11KeyboardHook::waitForEvents(const WakeSignal& wake)
{
    if (!m_display || m_connectionLost) {
        waitForEvent(-1, wake);
        return;
    }
    // Events Xlib has read already wait in its own queue, where poll() cannot see them.
    if (XPending(m_display) > 0)
        return;
    waitForEvent(ConnectionNumber(m_display), wake);
}

int X11KeyboardHook::virtualKeyOf(int keycode) const
{
    const KeyCode code = KeyCode(keycode);
    return virtualKeyFromKeysyms(XkbKeycodeToKeysym(m_display, code, 0, 0),
                                 XkbKeycodeToKeysym(m_display, code, 0, 1));
}

void X11KeyboardHook::deliver(int keycode, bool down, const KeyHandler& handler)
{
    const int virtualKey = virtualKeyOf(keycode);
    const KeyModifiers held = m_keys.modifiers();
    if (!m_keys.apply(keycode, virtualKey, down))
        return;
    // A key without a virtual-key code has nothing the key logic could report.
    if (virtualKey == 0)
        return;
    KeyEvent event;
    event.down = down;
    event.virtualKey = virtualKey;
    event.scanCode = scanCodeFromX11Keycode(keycode);
    event.held = held;
    handler(event);
}

void X11KeyboardHook::onConnectionLost(Display*, void* self)
{
    // Returning here instead of exiting leaves the connection unusable; the pump reports Quit.
    static_cast<X11KeyboardHook*>(self)->m_connectionLost = true;
    qWarning() << kTag << "the connection to the X server was lost";
}

} // namespace

std::unique_ptr<KeyboardHookBackend> createKeyboardHook()
{
    return std::make_unique<X11KeyboardHook>();
}

} // namespace platform
