#pragma once
// Native styling of the main window's frame.
class QWindow;

namespace platform {

// Gives the window frame the application's dark colour where the desktop allows it.
// Failures are ignored: the frame only looks different.
void styleWindowFrame(QWindow* window);

} // namespace platform
