#include "bridge/bridge_thread.h"

#include "bridge/changed_value.h"

#include <QMutexLocker>

BridgeThread::BridgeThread(QObject* parent) : QThread(parent) {}

void BridgeThread::stopThread()
{
    interruptAndWake();
}

void BridgeThread::interruptAndWake()
{
    requestInterruption();
    m_wake.raise();
}

void BridgeThread::setData(QVariantMap data)
{
    {
        QMutexLocker lock(&m_dataMutex);
        if (!replaceIfChanged(m_data, data))
            return;
    }
    emit dataChanged(data);
}

void BridgeThread::receiveDataFromQML(QVariantMap data)
{
    m_command.replace(data);
}

QVariantMap BridgeThread::getData() const
{
    QMutexLocker lock(&m_dataMutex);
    return m_data;
}

bool BridgeThread::requestStopAndWait(unsigned long waitMs)
{
    m_stopFlag = true;
    interruptAndWake();
    quit();
    if (QThread::currentThread() == this)
        return false;
    return wait(waitMs);
}
