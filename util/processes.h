#pragma once
// Running other programs. A program is started directly from its path with its arguments as a
// list: no shell ever parses a command line, so paths with blanks, quotes or & are safe.
#include <QString>
#include <QStringList>

#include <functional>

struct ProgramRun {
    bool started = false;
    int exitCode = -1;
    bool crashed = false;
    QString errorString;
    bool leftRunning = false; // the caller stopped waiting; the program goes on by itself
};

// Starts the program with no console and no visible output, waits until it ends.
ProgramRun runProgramAndWait(const QString& program, const QStringList& arguments = {},
                             const QString& workingDirectory = {});
// The same, for the PEQ loader: 1 when it ran (whatever its exit code), -1 when it did not start
// or did not end within timeoutMs (it is then left running).
int runProgramWithExitCode(const QString& program, const QStringList& arguments = {}, int timeoutMs = 120000);
// Like runProgramAndWait, but asks `keepWaiting` every `sliceMs` whether to go on waiting.
// When it says no, the program is left running (never killed) and `leftRunning` is set.
ProgramRun runProgramAndWaitWhile(const QString& program, const QStringList& arguments,
                                  const std::function<bool()>& keepWaiting, int sliceMs = 50);
