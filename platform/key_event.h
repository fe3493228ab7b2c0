#pragma once
// One key press or release as the keyboard hook reports it, in the codes the key logic is
// written against on every platform: a Windows virtual-key code and a PC set-1 scan code
// (without the 0xE0 prefix of the extended keys).

namespace platform {

// Which modifier keys were held just before the event (the event's own key not counted).
struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool tab = false;
    bool windows = false; // either Windows (Super) key
};

struct KeyEvent {
    bool down = false;
    int virtualKey = 0;
    int scanCode = 0;
    KeyModifiers held;
};

} // namespace platform
