#pragma once
// Event-driven waits. A thread that has nothing to do sleeps in the kernel until one of its
// sources has something for it (a device's reports, a display connection, a folder watch) or
// another thread raises its wake signal (a new command, a stop). Nothing wakes it in between.
namespace platform {

// A flag that one thread raises and another waits on. It stays raised until the waiting
// thread lowers it, so a raise between "look at the state" and "wait" is never lost: the
// waiting thread lowers it first, then looks, then waits.
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // Any thread.
    void raise() const;
    // True when it had been raised since the last lowering.
    bool lower() const;
    // What the OS waits on; -1 when the signal could not be made (waits then time out only).
    int descriptor() const { return m_descriptor; }

private:
    int m_descriptor = -1;
};

struct WaitResult {
    bool sourceReady = false; // the source has something to read
    bool woken = false;       // the wake signal is raised
    bool timedOut() const { return !sourceReady && !woken; }
};

// Sleeps until `sourceDescriptor` has something to read (-1: no source), `wake` is raised, or
// `timeoutMs` has passed (-1: no limit). Both flags may be set when both happened.
WaitResult waitForEvent(int sourceDescriptor, const WakeSignal& wake, int timeoutMs = -1);

} // namespace platform
