// Start-up and idle figures of the whole program, on the virtual devices unless BENCH_DEVICES
// says otherwise, with the update server refusing connections:
// - process start until the first window is mapped, next to a bare Qt Quick window with a
//   toolbar measured in the same run (the floor);
// - time to the first discovery answer and resident memory;
// - 5 s after start, over 10 s, with the window hidden and then shown on the home page: CPU
//   share and wake-ups per second of every thread (voluntary context switches);
// - a second start until the running window is mapped;
// - the shown window again once Qt's own cache housekeeping (the font cache's 10 s timer and
//   the pixmap caches' 30 s ones, which follow any new text or picture and stop by themselves)
//   has ended: BENCH_STEADY_SECONDS after the second start (60; 0 leaves it out).
// Window figures need an X display (run under xvfb-run). BENCH_RUNS sets the number of
// first-window runs (5). Prints figures; never fails on them.
#include "process_figures.h"
#include "window_map_watch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <vector>

namespace {

const int kSettleSeconds = 5;
const int kSampleSeconds = 10;
const int kWindowTimeoutMs = 30000;

// BENCH_PROGRAM measures another build of the program (an earlier one, for comparison).
QString programPath()
{
    return qEnvironmentVariable("BENCH_PROGRAM", QStringLiteral(TALVORIN_EXECUTABLE));
}

// One folder for the instance key of every start in this run: a fresh one per start gives
// the key a new name, which may meet a segment left behind by an earlier, killed start.
QString keyFolder()
{
    static QTemporaryDir folder;
    return folder.path();
}

QProcessEnvironment programEnvironment(const QString& dataFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TALVORIN_DATA_DIR", dataFolder);
    env.insert("TMPDIR", keyFolder());
    env.insert("TALVORIN_UPDATE_SERVER", "http://127.0.0.1:1");
    env.insert("TALVORIN_DEVICES", qEnvironmentVariableIsSet("BENCH_DEVICES") ? qgetenv("BENCH_DEVICES") : "virtual");
    if (!env.contains("DISPLAY")) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_QUICK_BACKEND", "software");
    }
    return env;
}

void startQuietly(QProcess& process, const QString& program, const QProcessEnvironment& env, const QString& logFile)
{
    process.setProcessEnvironment(env);
    process.setStandardOutputFile(logFile);
    process.setStandardErrorFile(logFile, QIODevice::Append);
    process.start(program, QStringList());
    process.waitForStarted(5000);
}

void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(process.processId()), SIGTERM);
    if (!process.waitForFinished(10000)) {
        std::printf("(%s did not end within 10 s of SIGTERM; killed)\n", qPrintable(process.program()));
        process.kill();
        process.waitForFinished(5000);
    }
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Process start until its window is mapped, in ms; -1 when it never was.
double timeToFirstWindow(WindowMapWatch& watch, const QString& program, QProcessEnvironment env)
{
    QTemporaryDir data, temp;
    env.insert("TALVORIN_DATA_DIR", data.path());
    env.insert("TALVORIN_SHOW_WINDOW", "1");
    watch.reset();
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    startQuietly(process, program, env, temp.path() + "/log.txt");
    const qint64 mappedAt = watch.waitForMap(process.processId(), clock, kWindowTimeoutMs);
    endProcess(process);
    return double(mappedAt);
}

void measureFirstWindow(WindowMapWatch& watch, int runs)
{
    QTemporaryDir scratch;
    const QProcessEnvironment env = programEnvironment(scratch.path());
    QProcessEnvironment bareEnv = env;
    if (!bareEnv.contains("QT_QUICK_BACKEND"))
        bareEnv.insert("QT_QUICK_BACKEND", "software"); // what the program picks without a GPU
    std::vector<double> program, bare;
    for (int i = 0; i < runs; ++i) {
        bare.push_back(timeToFirstWindow(watch, QStringLiteral(BARE_WINDOW_EXECUTABLE), bareEnv));
        program.push_back(timeToFirstWindow(watch, programPath(), env));
    }
    const double floor = median(bare);
    const double first = median(program);
    std::printf("first window mapped after:     %.0f ms (median of %d)\n", first, runs);
    std::printf("bare Qt Quick window (floor):  %.0f ms (median of %d)\n", floor, runs);
    if (floor > 0 && first > 0)
        std::printf("first window / floor:          %.2f x\n", first / floor);
}

qint64 waitForLogLine(const QString& logFile, const QByteArray& line, const QElapsedTimer& clock, int timeoutMs)
{
    while (clock.elapsed() < timeoutMs) {
        QFile log(logFile);
        if (log.open(QIODevice::ReadOnly) && log.readAll().contains(line))
            return clock.elapsed();
        QThread::msleep(5);
    }
    return -1;
}

void printIdle(const char* state, const IdleFigures& figures)
{
    std::printf("\nidle, window %s, over %d s: CPU %.3f %% of one core, %.1f wake-ups/s in all\n", state,
                kSampleSeconds, figures.cpuPercent, figures.totalWakeUpsPerSecond);
    for (auto it = figures.wakeUpsPerSecond.constBegin(); it != figures.wakeUpsPerSecond.constEnd(); ++it)
        std::printf("  %-18s %7.1f wake-ups/s\n", qPrintable(it.key()), it.value());
}

void sleepUntil(const QElapsedTimer& clock, qint64 ms)
{
    const qint64 left = ms - clock.elapsed();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
}

void measureIdleAndSecondStart(WindowMapWatch& watch)
{
    QTemporaryDir data, temp;
    const QProcessEnvironment env = programEnvironment(data.path());
    const QString logFile = temp.path() + "/log.txt";
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    startQuietly(process, programPath(), env, logFile);
    const qint64 firstAnswer = waitForLogLine(logFile, "Discovery answer received", clock, 30000);
    std::printf("first discovery answer after:  %lld ms\n", static_cast<long long>(firstAnswer));

    sleepUntil(clock, kSettleSeconds * 1000);
    printIdle("hidden", measureIdle(process.processId(), kSampleSeconds));
    std::printf("resident memory:               %.1f MB\n", residentMegabytes(process.processId()));

    if (watch.available()) {
        watch.reset();
        QProcess second;
        QElapsedTimer secondClock;
        secondClock.start();
        startQuietly(second, programPath(), env, temp.path() + "/second.txt");
        // The second process leaves its note and ends; the rest is the running instance's.
        while (second.state() != QProcess::NotRunning && secondClock.elapsed() < 5000)
            second.waitForFinished(1);
        const qint64 ended = secondClock.elapsed();
        const qint64 shown = watch.waitForMap(process.processId(), secondClock, 5000);
        std::printf("\nsecond start -> window mapped: %lld ms (the second process ended after %lld ms)\n",
                    static_cast<long long>(shown), static_cast<long long>(ended));
        QElapsedTimer settle;
        settle.start();
        sleepUntil(settle, kSettleSeconds * 1000);
        printIdle("shown on the home page", measureIdle(process.processId(), kSampleSeconds));
        const int steady = qEnvironmentVariableIsSet("BENCH_STEADY_SECONDS")
            ? qEnvironmentVariableIntValue("BENCH_STEADY_SECONDS") : 60;
        if (steady > 0) {
            sleepUntil(secondClock, steady * 1000);
            printIdle("shown, later", measureIdle(process.processId(), kSampleSeconds));
        }
    }
    endProcess(process);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = qMax(1, qEnvironmentVariableIntValue("BENCH_RUNS") > 0 ? qEnvironmentVariableIntValue("BENCH_RUNS") : 5);
    WindowMapWatch watch;
    if (watch.available())
        measureFirstWindow(watch, runs);
    else
        std::printf("no X display: window figures left out (run under xvfb-run)\n");
    measureIdleAndSecondStart(watch);
    return 0;
}
