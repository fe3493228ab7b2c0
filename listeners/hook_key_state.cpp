#include "listeners/hook_key_state.h"

#include "listeners/key_names.h"
#include "listeners/key_shortcut.h"
#include "util/logging.h"

namespace {

const int kVirtualKeyF12 = 0x7B;
const int kVirtualKeyEnter = 0x0D;

// Trace line for a modifier key going down or up; empty for other keys.
QString modifierTrace(int virtualKey, bool down)
{
    QString text;
    switch (virtualKey) {
    case 0x12: text = QStringLiteral("Alt key"); break;
    case 0xA4: text = QStringLiteral("Left Alt"); break;
    case 0xA5: text = QStringLiteral("Right Alt"); break;
    case 0x11: text = QStringLiteral("Ctrl key"); break;
    case 0xA2: text = QStringLiteral("Left Ctrl"); break;
    case 0xA3: text = QStringLiteral("Right Ctrl"); break;
    case 0x10: text = QStringLiteral("Shift key"); break;
    case 0xA0: text = QStringLiteral("Left Shift"); break;
    case 0xA1: text = QStringLiteral("Right Shift"); break;
    default: return QString();
    }
    return text + (down ? QStringLiteral(" Pressed!\n") : QStringLiteral(" Released!\n"));
}

void onKeyDown(HookKeyState& state, const platform::KeyEvent& event)
{
    state.shortcut = composeShortcut(event.virtualKey, event.scanCode, event.held);
    if (event.held.windows)
        writeStdout(QStringLiteral("keyFunction: ") + QString::fromLatin1(state.shortcut) + QLatin1Char('\n'));
    if (event.virtualKey == kVirtualKeyEnter)
        writeStdout(QStringLiteral("Enter key pressed!\n"));
    writeStdout(QStringLiteral("Key Down: %1\n").arg(event.virtualKey));
    writeStdout(modifierTrace(event.virtualKey, true));
    const QString name = keyName(event.virtualKey);
    if (!name.isEmpty()) {
        state.pressedName = name;
        state.pressed = true;
    }
}

void onKeyUp(HookKeyState& state, const platform::KeyEvent& event)
{
    writeStdout(QStringLiteral("Key Up: %1\n").arg(event.virtualKey));
    writeStdout(modifierTrace(event.virtualKey, false));
    const QString name = keyName(event.virtualKey);
    if (!name.isEmpty()) {
        state.releasedName = name;
        state.released = true;
    }
}

} // namespace

bool onHookKeyEvent(HookKeyState& state, const platform::KeyEvent& event)
{
    if (event.down)
        onKeyDown(state, event);
    else
        onKeyUp(state, event);
    return event.down && event.virtualKey == kVirtualKeyF12;
}

std::vector<int> keysHeldBackByHook()
{
    return {kVirtualKeyF12};
}
