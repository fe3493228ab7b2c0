#pragma once
// Foreground-program changes handed from the monitor thread to the worker.
#include <QString>
#include <deque>
#include <mutex>

struct LaunchEvent {
    QString windowTitle;
    qint64 processId = 0;
    QString executablePath;
    QString executableName;
    QString companyName;
    QString fileVersion;
};

class LaunchQueue {
public:
    void push(const LaunchEvent& event);
    // Takes the oldest event without waiting for the lock: false when the lock is busy or the
    // queue is empty (the worker then tries again on its next turn).
    bool tryTake(LaunchEvent& event);
    size_t size() const;

private:
    mutable std::mutex m_mutex;
    std::deque<LaunchEvent> m_events;
};
