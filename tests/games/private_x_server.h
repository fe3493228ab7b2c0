#pragma once
// An X server of the test's own (Xvfb on a free display) with the openbox window manager, which
// keeps _NET_ACTIVE_WINDOW on the root window up to date. Both are started and stopped by the
// test, by their process ids. Nothing else on the machine sees this display.
#include <QProcess>
#include <QString>

struct xcb_connection_t;

class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();

    // Empty when both run; otherwise what went wrong.
    QString error() const { return m_error; }
    QString display() const { return m_display; }

    // Asks the window manager to bring the window to the front, as a pager would, and waits
    // until _NET_ACTIVE_WINDOW names it. False when it did not within a few seconds.
    bool activate(quint32 window);
    quint32 activeWindow();

private:
    bool startServer();
    bool startWindowManager();
    static void stopProcess(QProcess& process);

    QProcess m_server;
    QProcess m_windowManager;
    xcb_connection_t* m_connection = nullptr;
    quint32 m_root = 0;
    quint32 m_activeAtom = 0;
    QString m_display;
    QString m_error;
};
