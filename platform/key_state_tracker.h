#pragma once
// The asynchronous keyboard state a hook back-end keeps from the events it has seen, so that
// each event can carry the modifiers held before it and the loop can ask whether F7 is down.
#include "platform/key_event.h"

#include <array>

namespace platform {

class KeyStateTracker {
public:
    // Records a transition of a physical key (its keycode) that stands for `virtualKey`.
    // Returns false when it repeats the state already known: X servers may report a release
    // twice, and a grabbed key arrives both raw and as a core event.
    bool apply(int keycode, int virtualKey, bool down);
    // The modifiers held now.
    KeyModifiers modifiers() const;
    // Whether a key is held now; 0x10, 0x11 and 0x12 stand for either Shift, Ctrl or Alt key.
    bool isDown(int virtualKey) const;
    void clear();

private:
    bool isExactlyDown(int virtualKey) const;

    static constexpr int kCodes = 256;
    std::array<bool, kCodes> m_keycodeDown{};
    std::array<int, kCodes> m_keycodeVirtualKey{};
    std::array<int, kCodes> m_virtualKeyDownCount{};
};

} // namespace platform
