// Start-up figures of the whole program: time from process start to the first discovery
// answer (no devices, the update server refusing connections), idle CPU share over 10 s with
// the window hidden, and resident memory after start. Prints figures; never fails on them.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// utime + stime of a process, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
    return ticks / double(sysconf(_SC_CLK_TCK));
}

double residentMegabytes(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir data, temp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALVORIN_DATA_DIR", data.path());
    env.insert("TMPDIR", temp.path());
    env.insert("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
    if (!env.contains("DISPLAY")) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_QUICK_BACKEND", "software");
    }
    if (qEnvironmentVariableIsSet("BENCH_DEVICES"))
        env.insert("TALVORIN_DEVICES", qgetenv("BENCH_DEVICES"));

    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(TALVORIN_EXECUTABLE), QStringList());
    QByteArray log;
    while (!log.contains("Discovery answer received") && clock.elapsed() < 30000 && process.waitForReadyRead(1000))
        log += process.readAll();
    const qint64 firstAnswerMs = clock.elapsed();

    QThread::msleep(2000); // let the start-up flow settle into its standing request
    const double cpuBefore = cpuSeconds(process.processId());
    QThread::msleep(10000);
    const double idleShare = (cpuSeconds(process.processId()) - cpuBefore) / 10.0 * 100.0;
    const double rss = residentMegabytes(process.processId());

    std::printf("first discovery answer after: %lld ms\n", static_cast<long long>(firstAnswerMs));
    std::printf("idle CPU over 10 s:           %.2f %% of one core\n", idleShare);
    std::printf("resident memory after start:  %.1f MB\n", rss);

    ::kill(pid_t(process.processId()), SIGTERM);
    process.waitForFinished(10000);
    return 0;
}
