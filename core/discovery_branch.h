#pragma once
// The worker's discovery branch (Control 0): every device, the settings, the game list and the
// server's versions in one answer.
#include "core/worker_context.h"

class DEV_GPU;
class DEV_MOUSE;
class DEV_HEADPHONE;
class GameLibrary;
class UpdateService;

class DiscoveryBranch {
public:
    DiscoveryBranch(DEV_GPU& gpu, DEV_MOUSE& mouse, DEV_HEADPHONE& headphone,
                    GameLibrary& games, UpdateService& updates);
    void run(WorkerContext& ctx);

private:
    void addServerVersions(WorkerContext& ctx);
    void addGpus(WorkerContext& ctx);
    void addMice(WorkerContext& ctx);
    void addHeadsets(WorkerContext& ctx);

    DEV_GPU& m_gpu;
    DEV_MOUSE& m_mouse;
    DEV_HEADPHONE& m_headphone;
    GameLibrary& m_games;
    UpdateService& m_updates;
};
