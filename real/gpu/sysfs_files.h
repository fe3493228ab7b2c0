#pragma once
// Reading the kernel's small text files (one value, or a few lines) under a card's folders.
// Every open is counted, so that a benchmark can say how many files one metrics sample costs.
#include <QString>
#include <optional>

namespace sysfs {

// The file's text without its trailing line break; nothing when it cannot be read.
std::optional<QString> readText(const QString& path);
// A decimal integer, or a "0x" hexadecimal one (PCI ids); nothing when absent or not a number.
std::optional<qint64> readNumber(const QString& path);
bool exists(const QString& path);

// Files opened by readText/readNumber since the process started.
quint64 filesOpened();

} // namespace sysfs
