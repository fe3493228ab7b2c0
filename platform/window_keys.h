#pragma once
// Keys typed into the program's own windows, for sessions whose desktop-wide hook sees
// nothing (a Wayland session: the compositor gives keys only to the window that has the
// focus). An event filter on the application hands each key event of our windows, with its
// native codes, to a queue that the hook thread pumps like the desktop-wide hook's.
// Reading the keyboard devices directly would see every key, but lets a program read every
// key of every program: that stays out.
#include "platform/keyboard_hook.h"

#include <QtGlobal>
#include <memory>

namespace platform {

// A hook back-end that sees only the keys typed into this program's windows. It works once
// the application object exists; the filter is put in place on the application's thread.
std::unique_ptr<KeyboardHookBackend> createWindowKeyboardHook();

// The back-end for this session: the desktop-wide hook on X11, the window one on Wayland.
std::unique_ptr<KeyboardHookBackend> createSessionKeyboardHook();
// Whether the session's back-end sees only the keys typed into this program's windows.
bool sessionKeyboardHookSeesOnlyOwnWindows();

// The virtual key of a native key event of our windows: its X keycode (the Linux input code
// plus 8, on X11 and Wayland alike) and the keysym it produced. Keys whose keysym changes with
// Shift or Num Lock ("!" for "1") are taken by their position, as the desktop-wide hook takes
// them unshifted. 0 when the key tables do not know the key.
int virtualKeyFromNativeKey(quint32 keycode, quint32 keysym);

} // namespace platform
