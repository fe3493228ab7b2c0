#include "platform/linux/process_files.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

QString processExecutable(qint64 pid)
{
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
}

QString processFirstArgument(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.read(4096);
    return QString::fromLocal8Bit(bytes.left(bytes.indexOf('\0')));
}

} // namespace

std::optional<ForegroundWindow> foregroundWindowOfProcess(qint64 pid, const QString& title,
                                                          const QString& applicationId)
{
    if (pid <= 0 || !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)))
        return std::nullopt;
    ForegroundWindow window;
    window.title = title;
    window.processId = pid;
    window.applicationId = applicationId;
    window.executablePath = processExecutable(pid);
    window.firstArgument = processFirstArgument(pid);
    return window;
}

} // namespace platform
