#pragma once
// The worker's branches for the server information (Control 11) and the application update (Control 7).
#include "core/update_service.h"
#include "core/worker_context.h"

class UpdateBranch {
public:
    explicit UpdateBranch(UpdateService& service);

    void runServerInformation(WorkerContext& ctx);
    void runApplicationUpdate(WorkerContext& ctx);

    // The installed version: the first line of /version.txt, or the built-in one.
    static QString readInstalledVersion(const DataStore& store);

private:
    UpdateService& m_service;
};
