#include "core/foreground_monitor.h"

ForegroundMonitor::ForegroundMonitor(LaunchQueue& queue) : m_queue(queue) {}

ForegroundMonitor::~ForegroundMonitor()
{
    stop();
}

void ForegroundMonitor::start() {}

void ForegroundMonitor::stop() {}
