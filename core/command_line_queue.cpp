#include "core/command_line_queue.h"

#include <QMutexLocker>

quint64 CommandLineQueue::push(const CommandLineRequest& request)
{
    QMutexLocker lock(&m_mutex);
    const quint64 id = m_nextId++;
    m_entries.enqueue({id, request});
    return id;
}

bool CommandLineQueue::tryTake(Entry& entry)
{
    QMutexLocker lock(&m_mutex);
    if (m_entries.isEmpty())
        return false;
    entry = m_entries.dequeue();
    return true;
}
