#pragma once
// A second X client for the hook tests: it types keys through XTEST, as a keyboard would, and
// owns a focused window that records the keys it receives, as any program would.
#include <QStringList>

struct _XDisplay;

class X11TestClient {
public:
    X11TestClient();
    ~X11TestClient();
    X11TestClient(const X11TestClient&) = delete;
    X11TestClient& operator=(const X11TestClient&) = delete;

    bool isOpen() const { return m_display != nullptr; }
    // Maps a window and gives it the keyboard focus; false when it does not get it.
    bool showFocusedWindow();
    // Presses or releases the key of a keysym name ("a", "Control_L", "F12").
    void sendKey(const char* keysymName, bool down);
    void tapKey(const char* keysymName);
    // The keys the window has received so far, as "press F12" or "release a".
    QStringList receivedKeys();

private:
    _XDisplay* m_display = nullptr;
    unsigned long m_window = 0;
    QStringList m_received;
};
