#pragma once
// Foreground-program changes handed from the monitor thread to the worker.
#include "platform/wake_signal.h"

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
    // `wake`, when given, is raised by every push: the worker sleeps until there is an event.
    explicit LaunchQueue(const platform::WakeSignal* wake = nullptr) : m_wake(wake) {}

    void push(const LaunchEvent& event);
    // Takes the oldest event without waiting for the lock: false when the lock is busy or the
    // queue is empty (the worker then tries again on its next turn). `lockBusy`, when given,
    // tells the two apart.
    bool tryTake(LaunchEvent& event, bool* lockBusy = nullptr);
    size_t size() const;

private:
    const platform::WakeSignal* m_wake = nullptr;
    mutable std::mutex m_mutex;
    std::deque<LaunchEvent> m_events;
};
