#include "platform/foreground_window.h"

#include "platform/linux/x11_display.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

namespace {

const char kTag[] = "[Monitor]";

std::atomic<bool> g_missingDisplayLogged{false};
std::atomic<bool> g_waylandLimitLogged{false};
std::atomic<bool> g_noWindowManagerLogged{false};
std::atomic<bool> g_connectionLostLogged{false};

// Long enough for any title; longer ones are cut.
constexpr uint32_t kMaxPropertyWords = 1024;

QString processExecutable(qint64 pid)
{
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
}

QString processFirstArgument(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.read(4096);
    return QString::fromLocal8Bit(bytes.left(bytes.indexOf('\0')));
}

class X11ForegroundWindowReader : public ForegroundWindowReader {
public:
    X11ForegroundWindowReader();
    ~X11ForegroundWindowReader() override;

    bool available() const override { return m_connection != nullptr && !connectionLost(); }
    std::optional<ForegroundWindow> read() override;

private:
    xcb_atom_t internAtom(const char* name);
    // The property's bytes, empty when the window or the property is gone.
    QByteArray property(xcb_window_t window, xcb_atom_t name, xcb_atom_t type);
    xcb_window_t activeWindow();
    QString windowTitle(xcb_window_t window);
    bool connectionLost() const;

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_atom_t m_activeWindow = 0;
    xcb_atom_t m_windowPid = 0;
    xcb_atom_t m_windowName = 0;
    xcb_atom_t m_utf8String = 0;
};

// XCB rather than Xlib: a window that closes between two requests only yields an error reply
// here, where Xlib would call the process-wide error handler (which by default ends the process).
X11ForegroundWindowReader::X11ForegroundWindowReader()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (!g_missingDisplayLogged.exchange(true))
            qWarning().noquote() << kTag << "the foreground program cannot be followed:" << missingX11DisplayReason();
        return;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        if (!g_missingDisplayLogged.exchange(true))
            qWarning().noquote() << kTag << "the foreground program cannot be followed:" << missingX11DisplayReason();
        return;
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
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !g_waylandLimitLogged.exchange(true))
        qWarning() << kTag << "Wayland session: only X programs coming to the front can be followed";
}

X11ForegroundWindowReader::~X11ForegroundWindowReader()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool X11ForegroundWindowReader::connectionLost() const
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

std::optional<ForegroundWindow> X11ForegroundWindowReader::read()
{
    if (!available())
        return std::nullopt;
    const xcb_window_t window = activeWindow();
    if (window == XCB_WINDOW_NONE)
        return std::nullopt;
    const QByteArray pidBytes = property(window, m_windowPid, XCB_ATOM_CARDINAL);
    if (pidBytes.size() < int(sizeof(uint32_t)))
        return std::nullopt;
    uint32_t pid = 0;
    std::memcpy(&pid, pidBytes.constData(), sizeof(pid));
    if (pid == 0)
        return std::nullopt;
    ForegroundWindow foreground;
    foreground.title = windowTitle(window);
    foreground.processId = pid;
    foreground.executablePath = processExecutable(pid);
    foreground.firstArgument = processFirstArgument(pid);
    return foreground;
}

} // namespace

std::unique_ptr<ForegroundWindowReader> createForegroundWindowReader()
{
    return std::make_unique<X11ForegroundWindowReader>();
}

} // namespace platform
