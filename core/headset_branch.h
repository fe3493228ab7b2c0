#pragma once
// The worker's branch for Control 3: the headset page's commands.
#include "core/worker_context.h"

class DEV_HEADPHONE;

class HeadsetBranch {
public:
    explicit HeadsetBranch(DEV_HEADPHONE& device);
    void run(WorkerContext& ctx);

private:
    void addFirmwareVersion(WorkerContext& ctx);
    void runOperation(WorkerContext& ctx, int runFunction);
    void saveChoice(WorkerContext& ctx, int runFunction, int option, int beforeOff);

    DEV_HEADPHONE& m_device;
};
