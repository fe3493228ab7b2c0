#pragma once
// A hook back-end fed by the test: key events queued from the test thread come out of
// pumpOne() one at a time on the hook thread, with the modifiers held before each, the way
// the desktop back-end hands them over.
#include "platform/key_state_tracker.h"
#include "platform/keyboard_hook.h"

#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <deque>
#include <memory>
#include <stdexcept>
#include <vector>

struct FakeKeyboard {
    std::atomic<int> installs{0};
    std::atomic<int> removals{0};
    std::atomic<bool> installed{false};
    std::atomic<bool> failInstall{false};
    std::atomic<bool> breakPump{false}; // the next pump throws, as a failing back-end might
    // Raised by every key queued (and by a broken pump): what a waiting hook thread sleeps on.
    platform::WakeSignal pushed;

    void failPump()
    {
        breakPump = true;
        pushed.raise();
    }
    void press(int virtualKey, int scanCode) { push(virtualKey, scanCode, true); }
    void release(int virtualKey, int scanCode) { push(virtualKey, scanCode, false); }
    void tap(int virtualKey, int scanCode)
    {
        press(virtualKey, scanCode);
        release(virtualKey, scanCode);
    }

    std::vector<int> heldBack() const
    {
        QMutexLocker lock(&mutex);
        return swallowRequested;
    }
    // Each key event handed to the hook callback and whether the callback held it back.
    std::vector<std::pair<platform::KeyEvent, bool>> delivered() const
    {
        QMutexLocker lock(&mutex);
        return handled;
    }

    mutable QMutex mutex;
    std::deque<platform::KeyEvent> queue;
    std::vector<int> swallowRequested;
    std::vector<std::pair<platform::KeyEvent, bool>> handled;

private:
    void push(int virtualKey, int scanCode, bool down)
    {
        platform::KeyEvent event;
        event.down = down;
        event.virtualKey = virtualKey;
        event.scanCode = scanCode;
        {
            QMutexLocker lock(&mutex);
            queue.push_back(event);
        }
        pushed.raise();
    }
};

class FakeKeyboardHook : public platform::KeyboardHookBackend {
public:
    explicit FakeKeyboardHook(std::shared_ptr<FakeKeyboard> keyboard) : m_keyboard(std::move(keyboard)) {}

    bool install(const std::vector<int>& swallowedVirtualKeys) override
    {
        ++m_keyboard->installs;
        if (m_keyboard->failInstall)
            return false;
        {
            QMutexLocker lock(&m_keyboard->mutex);
            m_keyboard->swallowRequested = swallowedVirtualKeys;
        }
        m_keyboard->installed = true;
        return true;
    }

    void remove() override
    {
        if (m_keyboard->installed.exchange(false))
            ++m_keyboard->removals;
    }

    PumpResult pumpOne(const KeyHandler& handler) override
    {
        if (m_keyboard->breakPump)
            throw std::runtime_error("keyboard back-end failed");
        platform::KeyEvent event;
        {
            QMutexLocker lock(&m_keyboard->mutex);
            if (m_keyboard->queue.empty())
                return PumpResult::Idle;
            event = m_keyboard->queue.front();
            m_keyboard->queue.pop_front();
        }
        event.held = m_keys.modifiers();
        // The virtual key doubles as the physical key: each test key has its own.
        if (m_keys.apply(event.virtualKey, event.virtualKey, event.down)) {
            const bool heldBack = handler(event);
            QMutexLocker lock(&m_keyboard->mutex);
            m_keyboard->handled.emplace_back(event, heldBack);
        }
        return PumpResult::Dispatched;
    }

    void waitForEvents(const platform::WakeSignal& wake) override
    {
        m_keyboard->pushed.lower();
        {
            QMutexLocker lock(&m_keyboard->mutex);
            if (!m_keyboard->queue.empty() || m_keyboard->breakPump)
                return;
        }
        platform::waitForEvent(m_keyboard->pushed.descriptor(), wake);
    }

    bool isKeyDown(int virtualKey) const override { return m_keys.isDown(virtualKey); }

private:
    std::shared_ptr<FakeKeyboard> m_keyboard;
    platform::KeyStateTracker m_keys;
};
