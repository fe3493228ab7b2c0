#pragma once
// Foreground-program changes handed from the monitor thread to the worker.
#include <QString>
#include <chrono>
#include <condition_variable>
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
    // Waits until an event is queued or the time is up; true when one is waiting. The worker
    // waits here between turns, so that a program coming to the front is acted on at once.
    bool waitForEvent(std::chrono::milliseconds timeout);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_pushed;
    std::deque<LaunchEvent> m_events;
};
