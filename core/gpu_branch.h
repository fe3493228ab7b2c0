#pragma once
// The worker's branch for Control 1.
#include "core/worker_context.h"

class DEV_GPU;

class GpuBranch {
public:
    explicit GpuBranch(DEV_GPU& device);
    void run(WorkerContext& ctx);

private:
    DEV_GPU& m_device;
};
