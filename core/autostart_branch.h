#pragma once
// The worker's start-at-login branches (Control 12 on, Control 13 off, Control 14 read the
// start options) and startApp.txt.
#include "core/worker_context.h"

class AutostartBranch {
public:
    void runCreateTask(WorkerContext& ctx);
    void runRemoveTask(WorkerContext& ctx);
    // What the settings panel shows when it opens: whether the start-at-login entry exists
    // ("StartwithWindows") and the stored "Display window" choice ("firstrStartAppShowGUI").
    void runReadStartOptions(WorkerContext& ctx);

    // "create_task.bat" adds the start-at-login entry, "remove_task.bat" removes it; on this
    // platform both are carried out by the platform layer without elevation.
    static bool RunBatAsAdmin(const QString& batFileName, QString* error = nullptr);
    // startApp.txt as the settings page shows it: 0, 1, or 255 for anything else.
    static int startupFlagForUi(const DataStore& store);
    // Whether the start-at-login entry really exists: 1 or 0. The stored choice alone may
    // say on where no entry was ever made (the first start writes 1 without making one).
    static int startAtLoginForUi();
    // FSA.txt: 1 when it holds exactly "1" (white space aside), else 0.
    static int showWindowAtStart(const DataStore& store);
    // At worker start: a missing or broken startApp.txt is a first start; writes 1 and returns true.
    static bool markFirstStart(const DataStore& store);
};
