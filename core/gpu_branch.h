#pragma once
// The worker's branch for Control 1: one GPU page command becomes one call on the worker's
// DEV_GPU (a lighting effect, the motherboard sync, a favourites operation or an information
// request); the last lighting command is kept in /GPU/userControlData.json.
#include "core/worker_context.h"

class DEV_GPU;

class GpuBranch {
public:
    explicit GpuBranch(DEV_GPU& device);
    void run(WorkerContext& ctx);

private:
    // The operation for selectedMode; `result` is what RESULTS will say.
    void runMode(int mode, const QVariantMap& command, WorkerContext& ctx, const QString& favouritesPath, int* result);
    int runLighting(int mode, const QVariantMap& command);
    void answerFavourites(WorkerContext& ctx, const QString& favouritesPath);
    void saveControlData(const WorkerContext& ctx);

    DEV_GPU& m_device;
};
