#include "platform/foreground_window.h"

#include "platform/linux/process_files.h"
#include "platform/linux/x11_display.h"

#include <QDebug>
#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

const char kTag[] = "[Monitor]";

std::atomic<bool> g_missingDisplayLogged{false};
std::atomic<bool> g_waylandLimitLogged{false};
std::atomic<bool> g_noWindowManagerLogged{false};
std::atomic<bool> g_connectionLostLogged{false};

// Long enough for any title; longer ones are cut.
constexpr uint32_t kMaxPropertyWords = 1024;

// Follows _NET_ACTIVE_WINDOW on the root window: the window manager rewrites it whenever
// another window comes to the front, and the X server tells every client that asked for
// property changes of the root window at once (PropertyNotify). Nothing runs in between.
//
// XCB rather than Xlib: a window that closes between two requests only yields an error reply
// here, where Xlib would call the process-wide error handler (which by default ends the process).
class X11ForegroundWindowReader : public ForegroundWindowReader {
public:
    ~X11ForegroundWindowReader() override;
    bool start(ForegroundHandler handler) override;

private:
    bool connect();
    xcb_atom_t internAtom(const char* name);
    // The property's bytes, empty when the window or the property is gone.
    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type);
    xcb_window_t activeWindow();
    QString windowTitle(xcb_window_t window);
    QString windowClass(xcb_window_t window);
    std::optional<ForegroundWindow> read();
    void onEventsWaiting();
    // Takes every event already received; true when one says the active window changed.
    bool takeEvents();
    bool connectionLost();

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_activeWindow = 0;
    xcb_atom_t m_windowPid = 0;
    xcb_atom_t m_windowName = 0;
    xcb_atom_t m_utf8String = 0;
    QSocketNotifier* m_notifier = nullptr;
    ForegroundHandler m_handler;
};

X11ForegroundWindowReader::~X11ForegroundWindowReader()
{
    delete m_notifier;
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool X11ForegroundWindowReader::connect()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (!g_missingDisplayLogged.exchange(true))
            qWarning().noquote() << kTag << "the foreground program cannot be followed:" << missingX11DisplayReason();
        return false;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        if (!g_missingDisplayLogged.exchange(true))
            qWarning().noquote() << kTag << "the foreground program cannot be followed:" << missingX11DisplayReason();
        return false;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    m_connection = connection;
    m_root = screens.data->root;
    m_activeWindow = internAtom("_NET_ACTIVE_WINDOW");
    m_windowPid = internAtom("_NET_WM_PID");
    m_windowName = internAtom("_NET_WM_NAME");
    m_utf8String = internAtom("UTF8_STRING");
    return true;
}

bool X11ForegroundWindowReader::start(ForegroundHandler handler)
{
    if (m_connection || !connect())
        return false;
    m_handler = std::move(handler);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(m_connection);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, [this] { onEventsWaiting(); });
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !g_waylandLimitLogged.exchange(true))
        qWarning() << kTag << "Wayland session: only X programs coming to the front can be followed";
    // The window in front before the first change.
    if (const std::optional<ForegroundWindow> window = read())
        m_handler(*window);
    // Changes that arrived while the first reading waited for its answers.
    onEventsWaiting();
    return true;
}

bool X11ForegroundWindowReader::takeEvents()
{
    bool changed = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY) {
            const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (notify->window == m_root && notify->atom == m_activeWindow)
                changed = true;
        }
        std::free(event);
    }
    return changed;
}

void X11ForegroundWindowReader::onEventsWaiting()
{
    // Reading the new window sends requests whose answers may bring further events along,
    // which XCB keeps without the socket telling again: take them before going back to wait.
    while (takeEvents()) {
        if (const std::optional<ForegroundWindow> window = read())
            m_handler(*window);
    }
    if (connectionLost())
        m_notifier->setEnabled(false);
}

bool X11ForegroundWindowReader::connectionLost()
{
    if (!xcb_connection_has_error(m_connection))
        return false;
    if (!g_connectionLostLogged.exchange(true))
        qWarning() << kTag << "the connection to the X server was lost: the foreground program is no longer followed";
    return true;
}

xcb_atom_t X11ForegroundWindowReader::internAtom(const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

QByteArray X11ForegroundWindowReader::property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    xcb_generic_error_t* error = nullptr;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, name, type, 0, kMaxPropertyWords), &error);
    std::free(error);
    if (!reply)
        return QByteArray();
    QByteArray bytes;
    if (reply->type == type && reply->format != 0) {
        const int length = xcb_get_property_value_length(reply);
        bytes = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), length);
    }
    std::free(reply);
    return bytes;
}

xcb_window_t X11ForegroundWindowReader::activeWindow()
{
    const QByteArray bytes = property(m_root, m_activeWindow, XCB_ATOM_WINDOW);
    if (bytes.size() < int(sizeof(uint32_t))) {
        if (bytes.isEmpty() && !g_noWindowManagerLogged.exchange(true))
            qDebug() << kTag << "no window is marked active (is a window manager running?)";
        return XCB_WINDOW_NONE;
    }
    uint32_t window = 0;
    std::memcpy(&window, bytes.constData(), sizeof(window));
    return window;
}

QString X11ForegroundWindowReader::windowTitle(xcb_window_t window)
{
    const QByteArray utf8 = property(window, m_windowName, m_utf8String);
    if (!utf8.isEmpty())
        return QString::fromUtf8(utf8);
    return QString::fromLatin1(property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING));
}

QString X11ForegroundWindowReader::windowClass(xcb_window_t window)
{
    // WM_CLASS holds two strings, instance then class, each ended by a zero byte.
    const QList<QByteArray> parts = property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
    return parts.size() > 1 ? QString::fromLatin1(parts.at(1)) : QString();
}

std::optional<ForegroundWindow> X11ForegroundWindowReader::read()
{
    if (connectionLost())
        return std::nullopt;
    const xcb_window_t window = activeWindow();
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    const QByteArray pidBytes = property(window, m_windowPid, XCB_ATOM_CARDINAL);
    if (pidBytes.size() < int(sizeof(uint32_t)))
        return std::nullopt;
    uint32_t pid = 0;
    std::memcpy(&pid, pidBytes.constData(), sizeof(pid));
    return foregroundWindowOfProcess(pid, windowTitle(window), windowClass(window));
}

} // namespace

std::unique_ptr<ForegroundWindowReader> createX11ForegroundReader()
{
    return std::make_unique<X11ForegroundWindowReader>();
}

} // namespace platform
