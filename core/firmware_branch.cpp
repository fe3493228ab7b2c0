#include "core/firmware_branch.h"

#include "bridge/map_reading.h"

#include <QDebug>

FirmwareBranch::FirmwareBranch(UpdateService& service) : m_headset(service), m_mouse(service) {}

void FirmwareBranch::run(int control, WorkerContext& ctx)
{
    switch (control) {
    case 8: runHeadset(ctx); break;
    case 9: m_mouse.downloadPackage(ctx); break;
    case 10: runMouseInstall(ctx); break;
    default: ctx.finish(); break;
    }
}

void FirmwareBranch::runHeadset(WorkerContext& ctx)
{
    switch (readInt(ctx.command, QStringLiteral("runStep"), 0)) {
    case 1: m_headset.download(ctx); break;
    case 2: m_headset.install(ctx); break;
    default:
        qWarning() << "Headphone firmware: unknown runStep" << ctx.command.value(QStringLiteral("runStep"));
        ctx.finish();
        break;
    }
}

void FirmwareBranch::runMouseInstall(WorkerContext& ctx)
{
    if (readInt(ctx.command, QStringLiteral("FwSwitch"), 0) != 1) {
        qWarning() << "MOUSE firmware: unknown FwSwitch" << ctx.command.value(QStringLiteral("FwSwitch"));
        ctx.finish();
        return;
    }
    m_mouse.installMouse(ctx);
}
