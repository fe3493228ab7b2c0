#pragma once
// What the keyboard hook's callback leaves for the recording and capture loops: the last key
// pressed and released (by name) and the shortcut text of the last key press. The callback
// runs inside the loop's own pump, so the loop and the callback share it on one thread.
#include "platform/key_event.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct HookKeyState {
    QString pressedName;
    bool pressed = false;
    QString releasedName;
    bool released = false;
    QByteArray shortcut;
};

// The hook callback: notes one key event in `state`. Returns true when the key must not reach
// other programs (F12 going down, which is reserved for macros while the hook runs).
bool onHookKeyEvent(HookKeyState& state, const platform::KeyEvent& event);

// The keys that onHookKeyEvent holds back, for back-ends that must know them in advance.
std::vector<int> keysHeldBackByHook();
