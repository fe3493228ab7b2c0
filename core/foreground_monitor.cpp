#include "core/foreground_monitor.h"

#include "core/foreground_changes.h"

#include <QDebug>

ForegroundMonitor::ForegroundMonitor(LaunchQueue& queue, ReaderFactory createReader,
                                     std::chrono::milliseconds interval)
    : m_queue(queue), m_createReader(std::move(createReader)), m_interval(interval)
{
}

ForegroundMonitor::~ForegroundMonitor()
{
    stop();
}

void ForegroundMonitor::start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_thread.joinable())
        return;
    m_stopRequested = false;
    m_thread = std::thread(&ForegroundMonitor::run, this);
}

void ForegroundMonitor::stop()
{
    std::thread finished;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopRequested = true;
        finished = std::move(m_thread);
    }
    m_wake.notify_all();
    if (finished.joinable())
        finished.join();
}

bool ForegroundMonitor::isRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_thread.joinable();
}

bool ForegroundMonitor::sleepUntil(std::chrono::steady_clock::time_point when)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wake.wait_until(lock, when, [this] { return m_stopRequested; });
}

void ForegroundMonitor::run()
{
    m_current.reset();
    std::unique_ptr<platform::ForegroundWindowReader> reader = m_createReader ? m_createReader() : nullptr;
    auto next = std::chrono::steady_clock::now();
    for (;;) {
        // Without a desktop to ask (the reader said why) the thread only waits to be stopped.
        if (!reader || !reader->available()) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopRequested; });
            return;
        }
        check(*reader);
        next += m_interval;
        const auto now = std::chrono::steady_clock::now();
        if (next < now)
            next = now; // a slow check does not cause a burst of catch-up checks
        if (!sleepUntil(next))
            return;
    }
}

void ForegroundMonitor::check(platform::ForegroundWindowReader& reader)
{
    const std::optional<platform::ForegroundWindow> window = reader.read();
    if (!window)
        return;
    const LaunchEvent event = launchEventFor(*window);
    if (!isOtherProgram(m_current, event))
        return;
    qDebug().noquote() << QString(50, QLatin1Char('='));
    qDebug().noquote() << event.executableName + QStringLiteral(" (PID: ") + QString::number(event.processId) + QLatin1Char(')');
    m_current = event;
    m_queue.push(event);
    qDebug().noquote() << QStringLiteral("[Monitor] ") + event.executableName;
}
