#pragma once
// Watches which program is in the foreground and queues a launch event when it changes.
#include "core/launch_queue.h"

class ForegroundMonitor {
public:
    explicit ForegroundMonitor(LaunchQueue& queue);
    ~ForegroundMonitor();

    void start();
    void stop();

private:
    LaunchQueue& m_queue;
};
