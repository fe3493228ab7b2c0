#pragma once
// One running instance per user: a shared-memory key marks the first instance, and a second
// start leaves "1" in the hand-off file for the first one's worker to notice.
#include <QSharedMemory>
#include <QString>

class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& key);

    // True when this process is the first instance. A segment left behind by an instance that
    // was killed (System V segments outlive their process) is cleared first, so that it never
    // blocks later starts; a segment held by a live instance stays.
    bool acquire();

private:
    QSharedMemory m_memory;
};

// The second instance's request: writes "1" into the hand-off file, retrying every 1 ms until the
// write succeeds or timeoutMs passes (an unwritable data folder must not hang the process).
bool requestWindowFromRunningInstance(const QString& handOffPath, int timeoutMs = 5000);
