#include "bridge/bridge_thread.h"

#include <QMutexLocker>

BridgeThread::BridgeThread(QObject* parent) : QThread(parent) {}

void BridgeThread::stopThread()
{
    requestInterruption();
}

void BridgeThread::setData(QVariantMap data)
{
    {
        QMutexLocker lock(&m_dataMutex);
        if (data == m_data)
            return;
        m_data = data;
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
    requestInterruption();
    quit();
    if (QThread::currentThread() == this)
        return false;
    return wait(waitMs);
}
