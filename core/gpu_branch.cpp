#include "core/gpu_branch.h"

#include "devices/gpu/dev_gpu.h"

GpuBranch::GpuBranch(DEV_GPU& device) : m_device(device) {}

void GpuBranch::run(WorkerContext& ctx)
{
    ctx.answer.clear();
    ctx.answer.insert(QStringLiteral("RESULTS"), -1);
    ctx.answer.insert(QStringLiteral("Control"), 1);
    ctx.publish();
    ctx.finish();
}
