#include "util/processes.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace {

// A process that can be let go: once released, destroying it leaves the program running.
class ReleasableProcess : public QProcess {
public:
    void release() { setProcessState(QProcess::NotRunning); }
};

void startHidden(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QIODevice::NotOpen);
}

void recordEnd(const QProcess& process, ProgramRun& run)
{
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = run.crashed ? -1 : process.exitCode();
}

} // namespace

ProgramRun runProgramAndWaitWhile(const QString& program, const QStringList& arguments,
                                  const std::function<bool()>& keepWaiting, int sliceMs)
{
    ProgramRun run;
    ReleasableProcess process;
    startHidden(process, program, arguments);
    if (!process.waitForStarted(-1)) {
        run.errorString = process.errorString();
        return run;
    }
    run.started = true;
    while (!process.waitForFinished(sliceMs)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (!keepWaiting()) {
            process.release();
            run.leftRunning = true;
            return run;
        }
    }
    recordEnd(process, run);
    return run;
}

ProgramRun runProgramAndWait(const QString& program, const QStringList& arguments,
                             const QString& workingDirectory)
{
    ProgramRun run;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QIODevice::NotOpen);
    if (!process.waitForStarted(-1)) {
        run.errorString = process.errorString();
        return run;
    }
    run.started = true;
    process.waitForFinished(-1);
    run.crashed = process.exitStatus() == QProcess::CrashExit;
    run.exitCode = run.crashed ? -1 : process.exitCode();
    return run;
}

int runProgramWithExitCode(const QString& program, const QStringList& arguments, int timeoutMs)
{
    // A loader that never ends must not hold the worker for ever, nor keep the program from
    // quitting: waiting stops at the time limit or when the calling thread is asked to stop.
    QElapsedTimer clock;
    clock.start();
    const ProgramRun run = runProgramAndWaitWhile(program, arguments, [&clock, timeoutMs] {
        return clock.elapsed() < timeoutMs && !QThread::currentThread()->isInterruptionRequested();
    });
    if (run.leftRunning) {
        qWarning() << "The program did not end in time and was left running:" << program;
        return -1;
    }
    if (!run.started) {
        qDebug() << "Failed to run the program via CreateProcessA. Error:" << run.errorString;
        return -1;
    }
    qDebug() << "Run PEQ successfully. Exit code:" << run.exitCode;
    return 1;
}
