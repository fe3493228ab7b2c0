#pragma once
// One running instance per user and data folder. The first start holds a lock on a file in the
// user's runtime folder, which the kernel releases when the process ends however it ends; a
// second start leaves "1" in the hand-off file for the first one's worker to notice. Another
// user, another data folder (the demo's) or anything a dead instance left behind never
// blocks a start.
#include "platform/instance_lock.h"

#include <QString>

// The lock file of one user's instance on one data folder:
// <runtime folder>/talvorin-<user id>-<hash of the data folder's absolute path>.lock
QString instanceLockPath(const QString& runtimeFolder, unsigned userId, const QString& dataFolder);

// The user's own runtime folder ($XDG_RUNTIME_DIR, or the private folder Qt makes in the
// temporary folder), or the temporary folder when neither can be had.
QString userRuntimeFolder();

class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const QString& lockPath);

    // True when this process is the first instance. A lock that cannot be taken at all (no
    // runtime folder, a file owned by someone else) is logged and lets the start go on: it
    // must never keep the user's own program from starting.
    bool acquire();

private:
    QString m_path;
    platform::InstanceLock m_lock;
};

// The second instance's request: writes "1" into the hand-off file, retrying every 1 ms until the
// write succeeds or timeoutMs passes (an unwritable data folder must not hang the process).
bool requestWindowFromRunningInstance(const QString& handOffPath, int timeoutMs = 5000);
