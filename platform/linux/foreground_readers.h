#pragma once
// The foreground readers of each Linux desktop, for the session's choice and for tests.
#include "platform/foreground_window.h"

#include <QString>
#include <memory>

namespace platform {

std::unique_ptr<ForegroundWindowReader> createKWinForegroundReader();
std::unique_ptr<ForegroundWindowReader> createGnomeForegroundReader();

// Copies one of the scripts compiled into the program to `path`, replacing the file whole;
// false (logged) when it cannot.
bool writeForegroundScript(const QString& resourceName, const QString& path);

} // namespace platform
