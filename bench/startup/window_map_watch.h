#pragma once
// Watches the X server for a process's main window being mapped (shown on the screen).
#include <QElapsedTimer>
#include <QtGlobal>

struct _XDisplay;

class WindowMapWatch {
public:
    // Also stands in for a notification area (owns the tray selection of the screen), so that
    // the program finds a tray and keeps its window hidden as on a desktop.
    WindowMapWatch();
    ~WindowMapWatch();
    bool available() const { return m_display != nullptr; }
    // Forgets the maps seen so far.
    void reset();
    // Waits until a window at least `minWidth` wide of process `pid` is mapped; the time on
    // `clock` when it was seen, or -1 after `timeoutMs`.
    qint64 waitForMap(qint64 pid, const QElapsedTimer& clock, int timeoutMs, int minWidth = 400);

private:
    qint64 windowPid(unsigned long window);
    void ownTraySelection();
    _XDisplay* m_display = nullptr;
};
