#include "fakes/fake_worker.h"

#include <QMetaObject>

QVariantMap FakeWorker::lastSent() const
{
    return m_sent.isEmpty() ? QVariantMap() : m_sent.last().toMap();
}

void FakeWorker::reset()
{
    m_sent.clear();
    m_guiCalls.clear();
    m_starts = 0;
    m_stops = 0;
    m_windowKeysOnly = false;
    emit callsChanged();
}

void FakeWorker::answer(const QVariantMap& map)
{
    QMetaObject::invokeMethod(this, [this, map] { emit dataChanged(map); }, Qt::QueuedConnection);
}

void FakeWorker::receiveDataFromQML(QVariantMap data)
{
    m_sent.append(data);
    emit callsChanged();
    emit received(data);
}

void FakeWorker::runWithOrWithoutGUI(QString value)
{
    m_guiCalls.append(value);
    emit callsChanged();
}

void FakeWorker::start()
{
    ++m_starts;
    emit callsChanged();
}

void FakeWorker::stopThread()
{
    ++m_stops;
    emit callsChanged();
}

void FakeWorker::stopTerminate()
{
    stopThread();
}
