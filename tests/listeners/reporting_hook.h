#pragma once
// A hook back-end that passes everything to a real one and counts its installs, so that a test
// types only once the hook can see the keys.
#include "platform/keyboard_hook.h"

#include <atomic>
#include <memory>

class ReportingHook : public platform::KeyboardHookBackend {
public:
    ReportingHook(std::unique_ptr<platform::KeyboardHookBackend> real, std::atomic<int>& installs)
        : m_real(std::move(real)), m_installs(installs)
    {
    }
    bool install(const std::vector<int>& keys) override
    {
        const bool installed = m_real->install(keys);
        if (installed)
            ++m_installs;
        return installed;
    }
    void remove() override { m_real->remove(); }
    PumpResult pumpOne(const KeyHandler& handler) override { return m_real->pumpOne(handler); }
    void waitForEvents(const platform::WakeSignal& wake) override { m_real->waitForEvents(wake); }
    bool isKeyDown(int virtualKey) const override { return m_real->isKeyDown(virtualKey); }

private:
    std::unique_ptr<platform::KeyboardHookBackend> m_real;
    std::atomic<int>& m_installs;
};
