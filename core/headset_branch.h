#pragma once
// The worker's branch for Control 3.
#include "core/worker_context.h"

class DEV_HEADPHONE;

class HeadsetBranch {
public:
    explicit HeadsetBranch(DEV_HEADPHONE& device);
    void run(WorkerContext& ctx);

private:
    DEV_HEADPHONE& m_device;
};
