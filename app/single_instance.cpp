#include "app/single_instance.h"

#include "util/files.h"

#include <QElapsedTimer>
#include <QThread>

SingleInstanceGuard::SingleInstanceGuard(const QString& key) : m_memory(key) {}

bool SingleInstanceGuard::acquire()
{
    // Attaching and detaching removes a segment that no live process holds any more.
    if (m_memory.attach())
        m_memory.detach();
    return m_memory.create(4, QSharedMemory::ReadWrite);
}

bool requestWindowFromRunningInstance(const QString& handOffPath, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!writeTextToFile(handOffPath, QStringLiteral("1"))) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(1);
    }
    return true;
}
