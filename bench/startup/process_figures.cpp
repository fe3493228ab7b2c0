#include "process_figures.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <unistd.h>

namespace {

QByteArray readProcFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 statusField(const QByteArray& status, const QByteArray& name)
{
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(name + ':'))
            return line.mid(name.size() + 1).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

double residentMegabytes(qint64 pid)
{
    const qint64 kb = statusField(readProcFile(QStringLiteral("/proc/%1/status").arg(pid)), "VmRSS");
    return kb < 0 ? -1 : double(kb) / 1024.0;
}

double cpuSecondsOfThreads(qint64 pid)
{
    // The scheduler's own count of time on a CPU, in nanoseconds: finer than the 10 ms ticks
    // of /proc/<pid>/stat, which an idle program hardly ever reaches.
    double nanoseconds = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        nanoseconds += readProcFile(tasks + "/" + tid + "/schedstat").split(' ').value(0).toDouble();
    return nanoseconds / 1e9;
}

QMap<QString, qint64> wakeUpsPerThread(qint64 pid)
{
    // Threads in the order they were made; a name that comes again is numbered ("TALVORIN #2"
    // is a thread the worker started, which inherits its name).
    QMap<QString, qint64> counts;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    QList<int> tids;
    for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        tids << tid.toInt();
    std::sort(tids.begin(), tids.end());
    QMap<QString, int> seen;
    for (int tid : tids) {
        const QString dir = tasks + "/" + QString::number(tid);
        QString name = QString::fromUtf8(readProcFile(dir + "/comm").trimmed());
        const int ordinal = ++seen[name];
        if (ordinal > 1)
            name += QStringLiteral(" #%1").arg(ordinal);
        const qint64 switches = statusField(readProcFile(dir + "/status"), "voluntary_ctxt_switches");
        if (switches >= 0)
            counts[name] = switches;
    }
    return counts;
}

IdleFigures measureIdle(qint64 pid, int seconds)
{
    const QMap<QString, qint64> before = wakeUpsPerThread(pid);
    const double cpuBefore = cpuSecondsOfThreads(pid);
    QThread::sleep(static_cast<unsigned long>(seconds));
    const QMap<QString, qint64> after = wakeUpsPerThread(pid);
    IdleFigures figures;
    figures.cpuPercent = (cpuSecondsOfThreads(pid) - cpuBefore) / seconds * 100.0;
    for (auto it = after.constBegin(); it != after.constEnd(); ++it) {
        const double perSecond = double(it.value() - before.value(it.key(), 0)) / seconds;
        figures.wakeUpsPerSecond[it.key()] = perSecond;
        figures.totalWakeUpsPerSecond += perSecond;
    }
    return figures;
}
