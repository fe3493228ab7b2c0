#pragma once
// The worker's firmware branches: headset (Control 8), mouse package and dongle (9), mouse (10).
#include "core/update_service.h"
#include "core/worker_context.h"

class FirmwareBranch {
public:
    explicit FirmwareBranch(UpdateService& service);
    void run(int control, WorkerContext& ctx);

private:
    UpdateService& m_service;
};
