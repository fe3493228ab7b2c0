#pragma once
// Reading the kernel's small text files (one value, or a few lines) under a card's folders.
#include <QString>
#include <optional>

namespace sysfs {

// The file's text without its trailing line break; nothing when it cannot be read.
std::optional<QString> readText(const QString& path);
// A decimal integer, or a "0x" hexadecimal one (PCI ids); nothing when absent or not a number.
std::optional<qint64> readNumber(const QString& path);
bool exists(const QString& path);

} // namespace sysfs
