#pragma once
// Starting the application when the user logs in.
#include <QString>

namespace platform {

// Adds the per-user start-at-login entry for the program at executablePath.
bool enableAutostart(const QString& executablePath, QString* error = nullptr);
// Removes it; succeeds when no entry is left.
bool disableAutostart(QString* error = nullptr);
bool isAutostartEnabled();
// Where the entry lives (for tests and logs).
QString autostartEntryPath();

} // namespace platform
