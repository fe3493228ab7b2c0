#include "core/launch_queue.h"

void LaunchQueue::push(const LaunchEvent& event)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(event);
    }
    m_pushed.notify_all();
}

bool LaunchQueue::tryTake(LaunchEvent& event)
{
    std::unique_lock<std::mutex> lock(m_mutex, std::try_to_lock);
    if (!lock.owns_lock() || m_events.empty())
        return false;
    event = m_events.front();
    m_events.pop_front();
    return true;
}

size_t LaunchQueue::size() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events.size();
}

bool LaunchQueue::waitForEvent(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_pushed.wait_for(lock, timeout, [this] { return !m_events.empty(); });
}
