#pragma once
// Everything a launch queue holds, oldest first; the queue is empty afterwards.
#include "core/launch_queue.h"

#include <QList>

inline QList<LaunchEvent> drain(LaunchQueue& queue)
{
    QList<LaunchEvent> events;
    LaunchEvent event;
    while (queue.tryTake(event))
        events.append(event);
    return events;
}
