#include "listeners/background_listening.h"

#include <QDebug>

BACKGROUND_LISTENING::BACKGROUND_LISTENING(const DeviceSetup& setup, QObject* parent)
    : BridgeThread(parent), m_setup(setup)
{
}

BACKGROUND_LISTENING::~BACKGROUND_LISTENING()
{
    requestInterruption();
    qDebug() << "~BACKGROUND_LISTENING()";
    m_stopFlag = true;
    wait(1000);
}

void BACKGROUND_LISTENING::stopThread()
{
    qDebug() << "================================================= Stop() BACKGROUND_LISTENING Thread: "
             << QThread::currentThreadId();
    requestStopAndWait(100);
}

void BACKGROUND_LISTENING::stopTerminate()
{
    stopThread();
}

void BACKGROUND_LISTENING::setDataList(QVariantList dataList)
{
    if (dataList == m_dataList)
        return;
    m_dataList = dataList;
    emit dataListChanged(m_dataList);
}

QVariantList BACKGROUND_LISTENING::getDataList() const
{
    return m_dataList;
}

void BACKGROUND_LISTENING::run()
{
    qDebug() << "BACKGROUND_LISTENING::run() Worker Thread ID: " << QThread::currentThreadId();
    m_stopFlag = false;
}
