#pragma once
// The two lookup tables of the mouse object: key names with their HID keyboard usage ids
// (the macro encoder turns recorded key names into usage ids), and the printable characters
// with their ASCII codes (the model name the mouse reports is decoded through it).
#include <QHash>
#include <QString>

class KeyTables {
public:
    KeyTables();

    // Usage id (Keyboard/Keypad page) of a key name such as "A", "F5" or "Ctrl"; 0 when the
    // name is not in the table.
    int usageIdOf(const QString& keyName) const;
    // The character of a printable ASCII code (32 to 126); empty for any other code.
    QString characterOf(int code) const;

private:
    QHash<QString, int> m_usageIds;
    QHash<int, QString> m_characters;
};
