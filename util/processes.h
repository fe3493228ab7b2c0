#pragma once
// Running other programs. A program is started directly from its path with its arguments as a
// list: no shell ever parses a command line, so paths with blanks, quotes or & are safe.
#include <QString>
#include <QStringList>

struct ProgramRun {
    bool started = false;
    int exitCode = -1;
    bool crashed = false;
    QString errorString;
};

// Starts the program with no console and no visible output, waits until it ends.
ProgramRun runProgramAndWait(const QString& program, const QStringList& arguments = {},
                             const QString& workingDirectory = {});
// The same, for the PEQ loader: 1 when it ran (whatever its exit code), -1 when it did not start.
int runProgramWithExitCode(const QString& program, const QStringList& arguments = {});
