#include "bridge/command_slot.h"

#include <QMutexLocker>

void CommandSlot::replace(const QVariantMap& command)
{
    QMutexLocker lock(&m_mutex);
    m_command = command;
    ++m_generation;
    m_replaced.wakeAll();
}

void CommandSlot::merge(const QVariantMap& values)
{
    QMutexLocker lock(&m_mutex);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        m_command.insert(it.key(), it.value());
    ++m_generation;
    m_replaced.wakeAll();
}

CommandSlot::Taken CommandSlot::take() const
{
    QMutexLocker lock(&m_mutex);
    return Taken{m_command, m_generation};
}

void CommandSlot::setIfCurrent(quint64 generation, const QString& key, const QVariant& value)
{
    QMutexLocker lock(&m_mutex);
    if (generation == m_generation)
        m_command.insert(key, value);
}

void CommandSlot::set(const QString& key, const QVariant& value)
{
    QMutexLocker lock(&m_mutex);
    m_command.insert(key, value);
}

QVariant CommandSlot::value(const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return m_command.value(key);
}

QVariantMap CommandSlot::snapshot() const
{
    QMutexLocker lock(&m_mutex);
    return m_command;
}

bool CommandSlot::waitForNewer(quint64 generation, unsigned long ms) const
{
    QMutexLocker lock(&m_mutex);
    if (m_generation == generation)
        m_replaced.wait(&m_mutex, ms);
    return m_generation != generation;
}
