#pragma once
// Pressing a key on behalf of the user, as if typed on the keyboard.

namespace platform {

// Sends a key down and a key up for a Windows virtual-key code to whatever has the focus.
// False when the key has no counterpart on this keyboard or there is no display (the latter
// is logged once).
bool pressAndReleaseVirtualKey(unsigned short virtualKey);

} // namespace platform
