#include "private_x_server.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t internAtom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

quint32 windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name)
{
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, XCB_ATOM_WINDOW, 0, 1), nullptr);
    quint32 value = 0;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&value, xcb_get_property_value(reply), 4);
    std::free(reply);
    return value;
}

} // namespace

PrivateXServer::PrivateXServer()
{
    if (startServer())
        startWindowManager();
}

PrivateXServer::~PrivateXServer()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    stopProcess(m_windowManager);
    stopProcess(m_server);
}

void PrivateXServer::stopProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate(); // SIGTERM to this process id only
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

bool PrivateXServer::startServer()
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) {
        m_error = "Xvfb is not installed";
        return false;
    }
    // -displayfd: the server picks a free display itself and writes its number to our pipe.
    m_server.start(xvfb, {"-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp", "-noreset"});
    QElapsedTimer clock;
    clock.start();
    while (!m_server.canReadLine() && clock.elapsed() < 10000 && m_server.state() != QProcess::NotRunning)
        m_server.waitForReadyRead(100);
    const QByteArray number = m_server.readLine().trimmed();
    if (number.isEmpty()) {
        m_error = "Xvfb did not start: " + QString::fromLocal8Bit(m_server.readAllStandardError());
        return false;
    }
    m_display = ":" + QString::fromLatin1(number);
    m_connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        m_error = "cannot connect to " + m_display;
        return false;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_activeAtom = internAtom(m_connection, "_NET_ACTIVE_WINDOW");
    return true;
}

bool PrivateXServer::startWindowManager()
{
    const QString openbox = QStandardPaths::findExecutable("openbox");
    if (openbox.isEmpty()) {
        m_error = "openbox is not installed";
        return false;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    m_windowManager.setProcessEnvironment(env);
    m_windowManager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_windowManager.start(openbox, {"--sm-disable"});
    // The manager announces itself with _NET_SUPPORTING_WM_CHECK on the root window.
    const xcb_atom_t check = internAtom(m_connection, "_NET_SUPPORTING_WM_CHECK");
    QElapsedTimer clock;
    clock.start();
    while (windowProperty(m_connection, m_root, check) == 0) {
        if (clock.elapsed() > 10000 || m_windowManager.state() == QProcess::NotRunning) {
            m_error = "openbox did not start";
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

quint32 PrivateXServer::activeWindow()
{
    return windowProperty(m_connection, m_root, m_activeAtom);
}

bool PrivateXServer::activate(quint32 window)
{
    xcb_client_message_event_t event = {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = m_activeAtom;
    event.data.data32[0] = 2; // source: a pager, which window managers obey
    event.data.data32[1] = XCB_CURRENT_TIME;
    QElapsedTimer clock;
    clock.start();
    // A window mapped a moment ago may not be managed yet, and then the request is ignored:
    // ask again until it is in front.
    for (int attempt = 0; clock.elapsed() < 5000; ++attempt) {
        if (attempt % 10 == 0) {
            xcb_send_event(m_connection, 0, m_root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char*>(&event));
            xcb_flush(m_connection);
        }
        if (activeWindow() == window)
            return true;
        QThread::msleep(20);
    }
    return false;
}
