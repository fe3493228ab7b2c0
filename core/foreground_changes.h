#pragma once
// Which foreground windows count as another program coming to the front.
#include "core/launch_queue.h"
#include "platform/foreground_window.h"

#include <optional>

// The launch event for a foreground window. A program that Wine runs (the process's file is
// Wine's loader, its first argument a Windows program) is named by that program, so that a
// game under Proton is matched by its own install folder.
LaunchEvent launchEventFor(const platform::ForegroundWindow& window);

// True when the event is another program than the previous one: another process, or the same
// process now running another file. Two windows of one program are the same program.
bool isOtherProgram(const std::optional<LaunchEvent>& previous, const LaunchEvent& current);
