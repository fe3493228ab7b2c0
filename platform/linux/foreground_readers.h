#pragma once
// The foreground readers of each Linux desktop, for the session's choice and for tests.
#include "platform/foreground_window.h"

#include <QString>
#include <memory>

namespace platform {

std::unique_ptr<ForegroundWindowReader> createKWinForegroundReader();
std::unique_ptr<ForegroundWindowReader> createGnomeForegroundReader();

// Copies one of the scripts compiled into the program to a file of the user's runtime folder
// that the compositor can read; the file's path, or empty (logged) when it cannot be written.
QString writeForegroundScript(const QString& resourceName);

} // namespace platform
