#pragma once
// Reading values out of QML's command maps: QML sends numbers as numbers or numeric strings.
#include <QVariantMap>

// The key's value as an integer; `fallback` when missing or not a number.
int readInt(const QVariantMap& map, const QString& key, int fallback = 0);
// The key's value as text; empty when missing.
QString readString(const QVariantMap& map, const QString& key);
// Like readInt, but reports whether the key held a number at all.
bool tryReadInt(const QVariantMap& map, const QString& key, int* value);
