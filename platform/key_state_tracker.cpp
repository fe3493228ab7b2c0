#include "platform/key_state_tracker.h"

#include <cstddef>

using std::size_t;

namespace platform {

namespace {

bool inRange(int code)
{
    return code >= 0 && code < 256;
}

} // namespace

bool KeyStateTracker::apply(int keycode, int virtualKey, bool down)
{
    if (!inRange(keycode) || !inRange(virtualKey))
        return false;
    if (m_keycodeDown[size_t(keycode)] == down)
        return false;
    m_keycodeDown[size_t(keycode)] = down;
    if (down) {
        m_keycodeVirtualKey[size_t(keycode)] = virtualKey;
        ++m_virtualKeyDownCount[size_t(virtualKey)];
    } else {
        // The key is released under the code it was pressed with, even if the keymap changed.
        int& count = m_virtualKeyDownCount[size_t(m_keycodeVirtualKey[size_t(keycode)])];
        if (count > 0)
            --count;
    }
    return true;
}

bool KeyStateTracker::isExactlyDown(int virtualKey) const
{
    return inRange(virtualKey) && m_virtualKeyDownCount[size_t(virtualKey)] > 0;
}

bool KeyStateTracker::isDown(int virtualKey) const
{
    switch (virtualKey) {
    case 0x10: return isExactlyDown(0x10) || isExactlyDown(0xA0) || isExactlyDown(0xA1);
    case 0x11: return isExactlyDown(0x11) || isExactlyDown(0xA2) || isExactlyDown(0xA3);
    case 0x12: return isExactlyDown(0x12) || isExactlyDown(0xA4) || isExactlyDown(0xA5);
    default: return isExactlyDown(virtualKey);
    }
}

KeyModifiers KeyStateTracker::modifiers() const
{
    KeyModifiers held;
    held.ctrl = isDown(0x11);
    held.shift = isDown(0x10);
    held.alt = isDown(0x12);
    held.tab = isDown(0x09);
    held.windows = isDown(0x5B) || isDown(0x5C);
    return held;
}

void KeyStateTracker::clear()
{
    m_keycodeDown.fill(false);
    m_keycodeVirtualKey.fill(0);
    m_virtualKeyDownCount.fill(0);
}

} // namespace platform
