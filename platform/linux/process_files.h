#pragma once
// What /proc tells about a process that owns a window in front.
#include "platform/foreground_window.h"

#include <optional>

namespace platform {

// The window record for a process: its executable and the first word of its command line.
// Nothing when no such process exists (it ended, or the id was never one).
std::optional<ForegroundWindow> foregroundWindowOfProcess(qint64 pid, const QString& title,
                                                          const QString& applicationId);

} // namespace platform
