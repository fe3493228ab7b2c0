#include "listeners/key_names.h"

namespace {

struct NamedKey {
    int virtualKey;
    const char* name;
};

const NamedKey kNamedKeys[] = {
    {0x08, "Backspace"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x14, "CapsLock"}, {0x1B, "Esc"},
    {0x20, "Space"}, {0x25, "Left"}, {0x26, "Up"}, {0x27, "Right"}, {0x28, "Down"},
    {0x6A, "*"}, {0x6B, "+"}, {0x6D, "-"}, {0xBD, "-"}, {0x6E, "."}, {0xBE, "."},
    {0x6F, "/"}, {0xBF, "/"}, {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xC0, "`"},
    {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "'"},
    {0x10, "Shift"}, {0xA0, "Shift"}, {0xA1, "Shift"},
    {0x11, "Ctrl"}, {0xA2, "Ctrl"}, {0xA3, "Ctrl"},
    {0x12, "Alt"}, {0xA4, "Alt"}, {0xA5, "Alt"},
};

} // namespace

QString keyName(int virtualKey)
{
    if (virtualKey >= 0x30 && virtualKey <= 0x39)
        return QString(QChar('0' + (virtualKey - 0x30)));
    if (virtualKey >= 0x60 && virtualKey <= 0x69) // number pad
        return QString(QChar('0' + (virtualKey - 0x60)));
    if (virtualKey >= 0x41 && virtualKey <= 0x5A)
        return QString(QChar('A' + (virtualKey - 0x41)));
    if (virtualKey >= 0x70 && virtualKey <= 0x7B)
        return QStringLiteral("F%1").arg(virtualKey - 0x6F);
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtualKey == virtualKey)
            return QString::fromLatin1(key.name);
    }
    return QString();
}
