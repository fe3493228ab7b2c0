#pragma once
// Which foreground windows count as another program coming to the front.
#include "core/launch_queue.h"
#include "platform/foreground_window.h"

#include <optional>

// The launch event for a foreground window. A program that Wine runs (the process's file is
// Wine's loader, its first argument a Windows program) is named by that program, so that a
// game under Proton is matched by its own install folder.
LaunchEvent launchEventFor(const platform::ForegroundWindow& window);

// This program as the foreground monitor sees it: its process and its file.
struct OwnProgram {
    qint64 processId = 0;
    QString executablePath;

    // The running process.
    static OwnProgram current();
};

// True for what is never a newly focused application: a window of this program (its own
// process, or another process of its own file), and a process whose file has been deleted or
// replaced since it started (the system then names it with " (deleted)" at the end).
bool isOwnOrGoneProgram(const LaunchEvent& event, const OwnProgram& own);

// True when the event is another program than the previous one: another process, or the same
// process now running another file. Two windows of one program are the same program; this
// program itself and programs whose file is gone are no other program at all.
bool isOtherProgram(const std::optional<LaunchEvent>& previous, const LaunchEvent& current,
                    const OwnProgram& own = OwnProgram::current());
