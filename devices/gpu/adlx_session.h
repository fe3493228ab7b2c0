#pragma once
// The process's two ADLX loaders and the bracket that uses one. One loader serves the device
// queries (discovery, driver information, metrics), the other the lighting writes. The worker
// and the background listener share them from two threads, so each loader has a mutex that a
// session holds from its initialise to its terminate: one thread's terminate can never unload
// the library under another thread's open session.
#include "devices/gpu/adlx_helper.h"

#include <mutex>

struct AdlxLoader {
    ADLXHelper helper;
    std::mutex lock;
};

AdlxLoader& deviceQueryLoader();
AdlxLoader& lightingLoader();

class AdlxSession {
public:
    // Locks the loader, points it at `library` and initialises.
    AdlxSession(AdlxLoader& loader, const QString& library);
    // Terminates if terminate() was not called yet, then unlocks.
    ~AdlxSession();
    AdlxSession(const AdlxSession&) = delete;
    AdlxSession& operator=(const AdlxSession&) = delete;

    ADLX_RESULT initializeResult() const { return m_initializeResult; }
    bool ok() const { return adlxSucceeded(m_initializeResult); }
    // The root object; null unless ok().
    IADLXSystem* system() const;
    // Terminates once; later calls return the first result.
    ADLX_RESULT terminate();

private:
    AdlxLoader& m_loader;
    std::unique_lock<std::mutex> m_guard;
    ADLX_RESULT m_initializeResult = ADLX_FAIL;
    ADLX_RESULT m_terminateResult = ADLX_OK;
    bool m_terminated = false;
};

// Terminates the loader once more under its lock (nothing is loaded between sessions, so this
// returns 0 unless someone initialised outside a session).
ADLX_RESULT terminateLoader(AdlxLoader& loader);
