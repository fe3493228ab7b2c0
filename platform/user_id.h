#pragma once
// Who the process runs as: the per-user parts of the program (the instance lock, the control
// socket) are keyed on it.
namespace platform {

// The numeric id of the user running the process.
unsigned currentUserId();

} // namespace platform
