#pragma once
// What /proc tells about a running process: CPU time, resident memory, and per thread the
// number of times it went to sleep and was woken (voluntary context switches).
#include <QMap>
#include <QString>

// Time all threads of a process spent on a CPU, in seconds (the scheduler's count).
double cpuSecondsOfThreads(qint64 pid);
double residentMegabytes(qint64 pid);
// Voluntary context switches per thread.
QMap<QString, qint64> wakeUpsPerThread(qint64 pid);

struct IdleFigures {
    double cpuPercent = 0;
    QMap<QString, double> wakeUpsPerSecond;
    double totalWakeUpsPerSecond = 0;
};

// Samples the process over `seconds`.
IdleFigures measureIdle(qint64 pid, int seconds);
