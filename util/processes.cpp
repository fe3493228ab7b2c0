#include "util/processes.h"

#include <QDebug>
#include <QProcess>

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

int runProgramWithExitCode(const QString& program, const QStringList& arguments)
{
    const ProgramRun run = runProgramAndWait(program, arguments);
    if (!run.started) {
        qDebug() << "Failed to run the program via CreateProcessA. Error:" << run.errorString;
        return -1;
    }
    qDebug() << "Run PEQ successfully. Exit code:" << run.exitCode;
    return 1;
}
