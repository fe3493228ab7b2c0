#pragma once
// The system-wide low-level keyboard hook: sees every key press and release on the desktop,
// whichever program has the focus, and can keep chosen keys from reaching other programs.
// It is driven by the thread that installed it: that thread pumps the events one at a time.
#include "platform/key_event.h"
#include "platform/wake_signal.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform {

class KeyboardHookBackend {
public:
    // Called for each key event on the pumping thread. Returns true when the key should not
    // reach other programs (a back-end that can only hold keys back in advance ignores it).
    using KeyHandler = std::function<bool(const KeyEvent&)>;

    enum class PumpResult {
        Idle,       // nothing was waiting
        Dispatched, // one event was taken (a key event went to the handler, or another event)
        Quit,       // the event source is gone: the caller should stop pumping
    };

    virtual ~KeyboardHookBackend() = default;

    // Starts observing. The keys in `swallowedVirtualKeys` are held back from other programs
    // for as long as the hook is installed. False when the hook cannot be installed.
    virtual bool install(const std::vector<int>& swallowedVirtualKeys) = 0;
    // Stops observing and gives the held-back keys back; harmless when not installed.
    virtual void remove() = 0;
    // Takes at most one waiting event without blocking.
    virtual PumpResult pumpOne(const KeyHandler& handler) = 0;
    // Sleeps until an event waits (at once when one does already) or `wake` is raised. Not
    // installed, it sleeps until woken.
    virtual void waitForEvents(const WakeSignal& wake) = 0;
    // Whether a key is held, as far as the events pumped so far tell.
    virtual bool isKeyDown(int virtualKey) const = 0;
};

// The back-end of the running desktop (X11 on Linux). Without a display it logs once why
// and its install() fails.
std::unique_ptr<KeyboardHookBackend> createKeyboardHook();

} // namespace platform
