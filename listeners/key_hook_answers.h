#pragma once
// What the recording and capture loops publish in one pass, taken from the hook's key state.
#include "listeners/hook_key_state.h"

#include <QVariantMap>
#include <optional>

// Macro recording: the "Hold" event of the last press or else the "Release" event of the last
// release. Taking a press clears both flags, so a press and a release noted within one pass
// come out as the press only.
std::optional<QVariantMap> takeMacroEvent(HookKeyState& state);

// Key-function capture: the result carrying the shortcut text, which is then cleared. Nothing
// for no text or for "[" (the left Windows key pressed alone), which stays as it is.
std::optional<QVariantMap> takeShortcutResult(HookKeyState& state);
