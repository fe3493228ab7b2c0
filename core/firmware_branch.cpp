#include "core/firmware_branch.h"

FirmwareBranch::FirmwareBranch(UpdateService& service) : m_service(service) {}

void FirmwareBranch::run(int, WorkerContext& ctx)
{
    ctx.finish();
}
