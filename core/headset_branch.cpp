#include "core/headset_branch.h"

#include "devices/headset/dev_headphone.h"

HeadsetBranch::HeadsetBranch(DEV_HEADPHONE& device) : m_device(device) {}

void HeadsetBranch::run(WorkerContext& ctx)
{
    ctx.answer.clear();
    ctx.answer.insert(QStringLiteral("RESULTS"), -1);
    ctx.answer.insert(QStringLiteral("Control"), 3);
    ctx.publish();
    ctx.finish();
}
