#include "core/discovery_branch.h"

#include "core/autostart_branch.h"
#include "core/game_library.h"
#include "core/update_branch.h"
#include "core/update_service.h"
#include "devices/gpu/dev_gpu.h"
#include "devices/headset/dev_headphone.h"
#include "devices/mouse/dev_mouse.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>
#include <QThread>

DiscoveryBranch::DiscoveryBranch(DEV_GPU& gpu, DEV_MOUSE& mouse, DEV_HEADPHONE& headphone,
                                 GameLibrary& games, UpdateService& updates)
    : m_gpu(gpu), m_mouse(mouse), m_headphone(headphone), m_games(games), m_updates(updates)
{
}

void DiscoveryBranch::run(WorkerContext& ctx)
{
    qDebug() << "run() TALVORIN Get All Device Information ";
    ctx.answer.insert(QStringLiteral("gpuNum"), 0);
    ctx.answer.insert(QStringLiteral("mouseNum"), 0);
    ctx.answer.insert(QStringLiteral("headphoneNum"), 0);
    ctx.answer.insert(QStringLiteral("StartwithWindows"), AutostartBranch::startAtLoginForUi());
    addServerVersions(ctx);
    m_games.addGameListToAnswer(ctx.state, ctx.answer);
    addGpus(ctx);
    QThread::msleep(100);
    addMice(ctx);
    QThread::msleep(100);
    addHeadsets(ctx);
    ctx.answer.insert(QStringLiteral("Control"), 0);
    ctx.publish();
    ctx.finish();
}

void DiscoveryBranch::addServerVersions(WorkerContext& ctx)
{
    ctx.state.installedVersion = UpdateBranch::readInstalledVersion(ctx.store);
    ctx.answer.insert(QStringLiteral("updateApp"), 0);
    ctx.state.serverInfo = UpdateBranch::fetchManifest(ctx, m_updates);
    const QVariantList software = ctx.state.serverInfo.value(QStringLiteral("software"));
    for (const QVariant& entry : software) {
        const QVariantMap item = entry.toMap();
        qDebug() << "  Name:" << item.value(QStringLiteral("name")).toString();
        qDebug() << "  Version:" << item.value(QStringLiteral("version")).toString();
        qDebug() << "  Download Link:" << item.value(QStringLiteral("downloadLink")).toString();
        if (item.value(QStringLiteral("version")).toString() != ctx.state.installedVersion)
            ctx.answer.insert(QStringLiteral("updateApp"), 1);
    }
    ctx.answer.insert(QStringLiteral("appVersion"), ctx.state.installedVersion);
}

void DiscoveryBranch::addGpus(WorkerContext& ctx)
{
    const QVariantMap gpus = m_gpu.get_GPUDevicesInfo();
    ctx.answer.insert(QStringLiteral("gpuDevice"), gpus);
    ctx.answer.insert(QStringLiteral("gpuNum"), gpus.value(QStringLiteral("gpuNum"), 0));
    QVariant lastAction = QString();
    if (fileExists(ctx.store.gpuControlData())) {
        const QList<QVariantMap> saved = loadJsonList(ctx.store.gpuControlData());
        if (!saved.isEmpty())
            lastAction = saved.first();
    }
    ctx.answer.insert(QStringLiteral("gpuLastedAction"), lastAction);
    ctx.state.favouritesPending = 1;
}

void DiscoveryBranch::addMice(WorkerContext& ctx)
{
    const QVariantMap mice = m_mouse.get_hid_devices_info();
    ctx.answer.insert(QStringLiteral("mouseNum"), mice.value(QStringLiteral("mouseNum"), 0));
    ctx.answer.insert(QStringLiteral("mouseDevice"), mice);
}

void DiscoveryBranch::addHeadsets(WorkerContext& ctx)
{
    const QVariantMap headsets = m_headphone.get_Headphone_Devices();
    ctx.answer.insert(QStringLiteral("headphoneNum"), headsets.value(QStringLiteral("headphoneNum"), 0));
    ctx.answer.insert(QStringLiteral("headphoneDevice"), headsets);
}
