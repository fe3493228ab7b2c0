#pragma once
class QObject;

namespace platform {

// Turns the desktop's termination requests (SIGTERM, SIGINT, SIGHUP at logout) into an orderly
// quit of the event loop, so the workers are stopped and their destructors run as after "Exit".
void quitOnTerminationSignals(QObject* parent);

} // namespace platform
