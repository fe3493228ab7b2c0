#include "app/single_instance.h"

#include "util/files.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

QString comparableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

QString instanceLockPath(const QString& runtimeFolder, unsigned userId, const QString& dataFolder)
{
    const QByteArray digest =
        QCryptographicHash::hash(comparableFolder(dataFolder).toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("%1/talvorin-%2-%3.lock").arg(runtimeFolder).arg(userId).arg(QString::fromLatin1(digest));
}

QString userRuntimeFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockPath) : m_path(lockPath), m_lock(lockPath) {}

bool SingleInstanceGuard::acquire()
{
    switch (m_lock.tryLock()) {
    case platform::InstanceLock::Outcome::Acquired:
        return true;
    case platform::InstanceLock::Outcome::HeldElsewhere:
        return false;
    case platform::InstanceLock::Outcome::Unavailable:
        break;
    }
    qWarning() << "The single-instance lock" << m_path << "cannot be taken; starting anyway";
    return true;
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
