#pragma once
// The worker's branch for Control 2.
#include "core/worker_context.h"

class DEV_MOUSE;

class MouseBranch {
public:
    explicit MouseBranch(DEV_MOUSE& device);
    void run(WorkerContext& ctx);

private:
    DEV_MOUSE& m_device;
};
