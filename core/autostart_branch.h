#pragma once
// The worker's start-at-login branches (Control 12 on, Control 13 off) and startApp.txt.
#include "core/worker_context.h"

class AutostartBranch {
public:
    void runCreateTask(WorkerContext& ctx);
    void runRemoveTask(WorkerContext& ctx);

    // "create_task.bat" adds the start-at-login entry, "remove_task.bat" removes it; on this
    // platform both are carried out by the platform layer without elevation.
    static bool RunBatAsAdmin(const QString& batFileName);
    // startApp.txt as the settings page shows it: 0, 1, or 255 for anything else.
    static int startupFlagForUi(const DataStore& store);
    // At worker start: a missing or broken startApp.txt is a first start; writes 1 and returns true.
    static bool markFirstStart(const DataStore& store);
};
