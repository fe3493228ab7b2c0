#pragma once
// The shortcut text that key-function capture builds from one key press, such as "Ctrl+C".
#include "platform/key_event.h"

#include <QByteArray>

// The text for a key going down while `held` modifiers are down.
// At most one modifier prefix is kept: of those held, the last in the order Ctrl, Shift, Alt,
// Tab, Windows wins. Function keys are named by scan code, the Windows keys (scan codes 91
// and 92) add nothing after a prefix, Enter always reads "Enter", and any other key adds its
// virtual-key code as one byte, so letters and digits read as themselves. A key pressed with
// no modifier held is that byte, or its name for function keys, Tab, Ctrl, Shift and Alt.
QByteArray composeShortcut(int virtualKey, int scanCode, const platform::KeyModifiers& held);
