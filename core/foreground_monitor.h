#pragma once
// Watches which program is in the foreground and queues a launch event when it changes.
#include "core/launch_queue.h"
#include "platform/foreground_window.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

class ForegroundMonitor {
public:
    using ReaderFactory = std::function<std::unique_ptr<platform::ForegroundWindowReader>()>;

    explicit ForegroundMonitor(LaunchQueue& queue,
                               ReaderFactory createReader = &platform::createForegroundWindowReader,
                               std::chrono::milliseconds interval = std::chrono::milliseconds(200));
    ~ForegroundMonitor();
    ForegroundMonitor(const ForegroundMonitor&) = delete;
    ForegroundMonitor& operator=(const ForegroundMonitor&) = delete;

    // Starts the monitor's thread; no effect while it runs.
    void start();
    // Ends the thread and waits for it (at most one check, which does not block).
    void stop();
    bool isRunning() const;

private:
    void run();
    void check(platform::ForegroundWindowReader& reader);
    // Sleeps until the given time or a stop request; false when stopping.
    bool sleepUntil(std::chrono::steady_clock::time_point when);

    LaunchQueue& m_queue;
    ReaderFactory m_createReader;
    std::chrono::milliseconds m_interval;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopRequested = false;
    std::thread m_thread;

    // Only the monitor's thread touches this.
    std::optional<LaunchEvent> m_current;
};
