#pragma once
// The worker's firmware branches: headset (Control 8), mouse package and dongle (9), mouse (10).
#include "core/headset_firmware_update.h"
#include "core/mouse_firmware_update.h"
#include "core/update_service.h"
#include "core/worker_context.h"

class FirmwareBranch {
public:
    explicit FirmwareBranch(UpdateService& service);
    void run(int control, WorkerContext& ctx);

private:
    void runHeadset(WorkerContext& ctx);
    void runMouseInstall(WorkerContext& ctx);

    HeadsetFirmwareUpdate m_headset;
    MouseFirmwareUpdate m_mouse;
};
