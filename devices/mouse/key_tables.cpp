#include "devices/mouse/key_tables.h"

namespace {

struct NamedKey {
    const char* name;
    int usageId;
};

// Keys without a run of their own in the usage table. Modifiers are the left-hand ones.
const NamedKey kNamedKeys[] = {
    {"Enter", 40}, {"Esc", 41}, {"Backspace", 42}, {"Tab", 43}, {"Space", 44},
    {"-", 45}, {"=", 46}, {"[", 47}, {"]", 48}, {"\\", 49}, {";", 51}, {"'", 52}, {"`", 53},
    {",", 54}, {".", 55}, {"/", 56}, {"CapsLock", 57},
    {"PrintScreen", 70}, {"ScrollLock", 71}, {"Pause", 72}, {"Insert", 73}, {"Home", 74},
    {"PageUp", 75}, {"Delete", 76}, {"End", 77}, {"PageDown", 78},
    {"Right", 79}, {"Left", 80}, {"Down", 81}, {"Up", 82},
    {"*", 85}, {"+", 87},
    {"Ctrl", 224}, {"Shift", 225}, {"Alt", 226}, {"Win", 227},
};

} // namespace

KeyTables::KeyTables()
{
    for (int i = 0; i < 26; ++i)
        m_usageIds.insert(QString(QChar('A' + i)), 4 + i);
    for (int i = 1; i <= 9; ++i)
        m_usageIds.insert(QString::number(i), 29 + i);
    m_usageIds.insert(QStringLiteral("0"), 39);
    for (int i = 1; i <= 12; ++i)
        m_usageIds.insert(QStringLiteral("F%1").arg(i), 57 + i);
    for (const NamedKey& key : kNamedKeys)
        m_usageIds.insert(QString::fromLatin1(key.name), key.usageId);

    for (int code = 32; code <= 126; ++code)
        m_characters.insert(code, QString(QChar(code)));
}

int KeyTables::usageIdOf(const QString& keyName) const
{
    return m_usageIds.value(keyName, 0);
}

QString KeyTables::characterOf(int code) const
{
    return m_characters.value(code);
}
