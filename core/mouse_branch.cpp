#include "core/mouse_branch.h"

#include "devices/mouse/dev_mouse.h"

MouseBranch::MouseBranch(DEV_MOUSE& device) : m_device(device) {}

void MouseBranch::run(WorkerContext& ctx)
{
    ctx.answer.clear();
    ctx.answer.insert(QStringLiteral("RESULTS"), -1);
    ctx.answer.insert(QStringLiteral("Control"), 2);
    ctx.publish();
    ctx.finish();
}
