#pragma once
// An exclusive lock on a file that the kernel drops when the process ends, however it ends
// (exit, crash, SIGKILL), so a lock can never be left behind by a dead process.
#include <QString>

namespace platform {

class InstanceLock {
public:
    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    enum class Outcome { Acquired, HeldElsewhere, Unavailable };
    // Creates the file (readable and writable by its owner only) when missing and tries to
    // lock it without waiting. Unavailable: the file cannot be opened or locked at all.
    Outcome tryLock();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace platform
