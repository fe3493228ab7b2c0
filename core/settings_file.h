#pragma once
// The settings file: everything the user set, in one JSON document that can be carried to
// another installation and read back.
//   { "format": "talvorin-settings", "version": 1, "checksum": "<SHA-256 of settings>",
//     "settings": { "devices": ..., "gpu": ..., "mouse": ..., "headset": ..., "games": ... } }
// The checksum covers the compact form of "settings", so a file changed or cut short after it
// was written is recognised as damaged rather than half applied.
#include <QByteArray>
#include <QJsonObject>
#include <QString>

constexpr int kSettingsFileVersion = 1;
// Larger files are refused before they are parsed.
constexpr qint64 kSettingsFileLimit = 16 * 1024 * 1024;

QByteArray buildSettingsFile(const QJsonObject& settings);

struct SettingsFileContents {
    QJsonObject settings;
    QString refusal; // why the file cannot be used; empty when it can
};
SettingsFileContents readSettingsFile(const QByteArray& bytes);
