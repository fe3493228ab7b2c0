#pragma once
// Follows which program is in the foreground and queues a launch event when it changes.
// Every desktop's reader pushes the window in front into one path (report), on the
// monitor's own thread, which waits in an event loop for the desktop's notices.
#include "core/launch_queue.h"
#include "platform/foreground_window.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class QThread;

class ForegroundMonitor {
public:
    using ReaderFactory = std::function<std::unique_ptr<platform::ForegroundWindowReader>()>;

    explicit ForegroundMonitor(LaunchQueue& queue,
                               ReaderFactory createReader = &platform::createForegroundWindowReader);
    ~ForegroundMonitor();
    ForegroundMonitor(const ForegroundMonitor&) = delete;
    ForegroundMonitor& operator=(const ForegroundMonitor&) = delete;

    // Starts the monitor's thread; no effect while it runs.
    void start();
    // Ends the thread and waits for it; the reader is taken down on its own thread.
    void stop();
    bool isRunning() const;

private:
    class Thread;
    // The one way a window in front reaches the launch queue.
    void report(const platform::ForegroundWindow& window);

    LaunchQueue& m_queue;
    ReaderFactory m_createReader;

    mutable std::mutex m_mutex;
    std::unique_ptr<Thread> m_thread;

    // Only the monitor's thread touches this.
    std::optional<LaunchEvent> m_current;
};
