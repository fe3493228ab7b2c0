#pragma once
// Translation between X11 keys and the Windows virtual-key codes and PC scan codes that the
// key logic works with. Plain numbers in and out, so it can be checked without a display.

namespace platform {

// The virtual-key code of a key from the keysyms of its first two levels (the second one
// tells the number-pad digits apart from their navigation meaning); 0 when it has none.
int virtualKeyFromKeysyms(unsigned long level0, unsigned long level1);
// The keysym to look up when pressing a virtual key; 0 when there is none.
unsigned long keysymFromVirtualKey(int virtualKey);
// The PC set-1 scan code of an X keycode. X keycodes are Linux input codes plus 8, and
// those equal the set-1 codes except for the keys that carry the 0xE0 prefix.
int scanCodeFromX11Keycode(int keycode);

} // namespace platform
