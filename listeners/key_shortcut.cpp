#include "listeners/key_shortcut.h"

namespace {

const int kVirtualKeyEnter = 0x0D;

// Scan codes 59..68 are F1..F10, 87 and 88 are F11 and F12.
QByteArray functionKeyName(int scanCode)
{
    if (scanCode >= 59 && scanCode <= 68)
        return "F" + QByteArray::number(scanCode - 58);
    if (scanCode == 87)
        return "F11";
    if (scanCode == 88)
        return "F12";
    return QByteArray();
}

QByteArray modifierPrefix(const platform::KeyModifiers& held)
{
    QByteArray prefix;
    if (held.ctrl)
        prefix = "Ctrl+";
    if (held.shift)
        prefix = "Shift+";
    if (held.alt)
        prefix = "Alt+";
    if (held.tab)
        prefix = "Tab+";
    if (held.windows)
        prefix = "Win+";
    return prefix;
}

QByteArray keyAfterPrefix(int virtualKey, int scanCode)
{
    const QByteArray function = functionKeyName(scanCode);
    if (!function.isEmpty())
        return function;
    if (scanCode == 91 || scanCode == 92)
        return QByteArray();
    return QByteArray(1, char(virtualKey));
}

QByteArray keyAlone(int virtualKey, int scanCode)
{
    const QByteArray function = functionKeyName(scanCode);
    if (!function.isEmpty())
        return function;
    switch (scanCode) {
    case 15: return "Tab";
    case 29: return "Ctrl";
    case 42: return "Shift";
    case 56: return "Alt";
    default: return QByteArray(1, char(virtualKey));
    }
}

} // namespace

QByteArray composeShortcut(int virtualKey, int scanCode, const platform::KeyModifiers& held)
{
    if (virtualKey == kVirtualKeyEnter)
        return "Enter";
    const QByteArray prefix = modifierPrefix(held);
    if (prefix.isEmpty())
        return keyAlone(virtualKey, scanCode);
    return prefix + keyAfterPrefix(virtualKey, scanCode);
}
