#include "listeners/keyboard_hook.h"

#include <QDebug>

KEYBOARD_HOOK::KEYBOARD_HOOK(QObject* parent) : BridgeThread(parent) {}

KEYBOARD_HOOK::~KEYBOARD_HOOK()
{
    requestInterruption();
    qDebug() << "~KEYBOARD_HOOK()";
    m_stopFlag = true;
    wait(1000);
}

void KEYBOARD_HOOK::stopThread()
{
    qDebug() << "================================================= Stop() KEYBOARD_HOOK Thread: "
             << QThread::currentThreadId();
    requestStopAndWait(1000);
}

void KEYBOARD_HOOK::run()
{
    qDebug() << "KEYBOARD_HOOK::run() Worker Thread ID: " << QThread::currentThreadId();
}
