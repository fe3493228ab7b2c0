#include "core/launch_queue.h"

void LaunchQueue::push(const LaunchEvent& event)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(event);
    }
    if (m_wake)
        m_wake->raise();
}

bool LaunchQueue::tryTake(LaunchEvent& event, bool* lockBusy)
{
    std::unique_lock<std::mutex> lock(m_mutex, std::try_to_lock);
    if (lockBusy)
        *lockBusy = !lock.owns_lock();
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

