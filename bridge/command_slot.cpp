#include "bridge/command_slot.h"

#include "platform/wake_signal.h"

#include <QMutexLocker>

void CommandSlot::announce() const
{
    if (m_wake)
        m_wake->raise();
}

void CommandSlot::replace(const QVariantMap& command)
{
    QMutexLocker lock(&m_mutex);
    m_command = command;
    ++m_generation;
    announce();
}

void CommandSlot::merge(const QVariantMap& values)
{
    QMutexLocker lock(&m_mutex);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        m_command.insert(it.key(), it.value());
    ++m_generation;
    announce();
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
    announce();
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
