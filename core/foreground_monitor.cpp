#include "core/foreground_monitor.h"

#include "core/foreground_changes.h"

#include <QDebug>
#include <QThread>

// Creates the reader on the monitor's thread, so that whatever it waits on (a socket of the
// X server, an object on the session bus) belongs to this thread's event loop.
class ForegroundMonitor::Thread : public QThread {
public:
    explicit Thread(ForegroundMonitor& monitor) : m_monitor(monitor) {}

protected:
    void run() override
    {
        m_monitor.m_current.reset();
        std::unique_ptr<platform::ForegroundWindowReader> reader =
            m_monitor.m_createReader ? m_monitor.m_createReader() : nullptr;
        // A reader that cannot follow every window (the reason is logged) may still report
        // some; without any the loop only waits to be stopped.
        if (reader)
            reader->start([this](const platform::ForegroundWindow& window) { m_monitor.report(window); });
        exec();
        reader.reset();
    }

private:
    ForegroundMonitor& m_monitor;
};

ForegroundMonitor::ForegroundMonitor(LaunchQueue& queue, ReaderFactory createReader)
    : m_queue(queue), m_createReader(std::move(createReader))
{
}

ForegroundMonitor::~ForegroundMonitor()
{
    stop();
}

void ForegroundMonitor::start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_thread)
        return;
    m_thread = std::make_unique<Thread>(*this);
    m_thread->start();
}

void ForegroundMonitor::stop()
{
    std::unique_ptr<Thread> finished;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        finished = std::move(m_thread);
    }
    if (!finished)
        return;
    // quit() before the thread reaches its loop still ends the loop at once.
    finished->quit();
    finished->wait();
}

bool ForegroundMonitor::isRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_thread != nullptr;
}

void ForegroundMonitor::report(const platform::ForegroundWindow& window)
{
    const LaunchEvent event = launchEventFor(window);
    if (!isOtherProgram(m_current, event))
        return;
    qDebug().noquote() << QString(50, QLatin1Char('='));
    qDebug().noquote() << event.executableName + QStringLiteral(" (PID: ") + QString::number(event.processId) + QLatin1Char(')');
    m_current = event;
    m_queue.push(event);
    qDebug().noquote() << QStringLiteral("[Monitor] ") + event.executableName;
}
