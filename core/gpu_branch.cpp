#include "core/gpu_branch.h"

#include "bridge/map_reading.h"
#include "devices/gpu/dev_gpu.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>

namespace {

struct LightingArgs {
    int gpuIndex;
    int brightness;
    int speed;
    int red;
    int green;
    int blue;
};

LightingArgs lightingArgs(const QVariantMap& command)
{
    return {readInt(command, QStringLiteral("gpuIndex")),         readInt(command, QStringLiteral("brightness_value")),
            readInt(command, QStringLiteral("speed_value")),      readInt(command, QStringLiteral("r_color")),
            readInt(command, QStringLiteral("g_color")),          readInt(command, QStringLiteral("b_color"))};
}

const char* bannerFor(int mode)
{
    switch (mode) {
    case 1: return "========================= singleColor mode =========================";
    case 2: return "========================= meteor mode =============================";
    case 3: return "========================= breathing mode =========================";
    case 4: return "========================= ripple mode ===========================";
    case 5: return "========================= doubleBlink mode ======================";
    case 6: return "========================= Blink mode ===========================";
    case 7: return "========================= ColorShift mode ======================";
    case 8: return "========================= sevenColors mode =====================";
    case 9: return "========================= Start Sync Motherboard ===========================";
    case 10: return "========================= Off Sync Motherboard ============================";
    case 11: return "========================= get devices info  ============================";
    case 12: return "========================= realtime getGPU Information  =======================";
    default: return nullptr;
    }
}

void logOutcome(int result)
{
    if (result == 1)
        qDebug() << "SUCCESS: Operation was successful!";
    else
        qWarning() << "ERROR: Operation failed.";
}

bool isSavedMode(int mode)
{
    return mode >= 1 && mode <= 10;
}

} // namespace

GpuBranch::GpuBranch(DEV_GPU& device) : m_device(device) {}

void GpuBranch::run(WorkerContext& ctx)
{
    ctx.answer.clear();
    ctx.answer.insert(QStringLiteral("RESULTS"), -1);
    qDebug() << "run() TALVORIN for GPU";
    ensureDirectory(ctx.store.gpuFolder());
    const QString favouritesPath = ctx.store.gpuFavourites();
    const QVariantMap& command = ctx.command;
    const int gpuIndex = readInt(command, QStringLiteral("gpuIndex"));
    if (gpuIndex >= 0) {
        m_device.setCurrentGpuIndex(gpuIndex);
        qDebug() << "gpuIndex: " << gpuIndex;
    }
    ctx.answer = command;
    const int mode = readInt(command, QStringLiteral("selectedMode"));
    int result = -1;
    if (readInt(command, QStringLiteral("on_off")) == 0) {
        qDebug() << "========================= On Off mode =========================";
        const LightingArgs a = lightingArgs(command);
        result = m_device.click_turnOnOff(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue, 0);
        logOutcome(result);
        ctx.setInCommand(QStringLiteral("selectedMode"), -1);
    } else {
        runMode(mode, command, ctx, favouritesPath, &result);
    }
    // The library is loaded only while a command runs.
    m_device.Destroy_ADLX();
    ctx.answer.insert(QStringLiteral("RESULTS"), result);
    if (isSavedMode(readInt(ctx.answer, QStringLiteral("selectedMode"))))
        saveControlData(ctx);
    ctx.answer.insert(QStringLiteral("Control"), 1);
    ctx.publish();
    ctx.finish();
}

void GpuBranch::runMode(int mode, const QVariantMap& command, WorkerContext& ctx, const QString& favouritesPath,
                        int* result)
{
    if (const char* banner = bannerFor(mode))
        qDebug() << banner;
    if (mode >= 1 && mode <= 10) {
        *result = runLighting(mode, command);
        logOutcome(*result);
    } else if (mode == 11) {
        m_device.get_GPUDevicesInfo();
        *result = 1;
    } else if (mode == 12) {
        *result = 1; // live values come from the background listener
    } else if (mode == 13) {
        m_device.addNewUserFavorite(favouritesPath, ctx.answer);
        *result = 1;
    } else if (mode == 14) {
        m_device.removeUserFavoriteIndex(favouritesPath, readInt(command, QStringLiteral("gpuIndex")));
        *result = 1;
    } else if (mode == 15) {
        answerFavourites(ctx, favouritesPath);
        *result = 1;
    } else {
        // 0 and 16 name nothing the page sends; other values are left to later pages.
        *result = (mode == 0 || mode == 16) ? -1 : 1;
        return;
    }
    if (mode != 13)
        ctx.setInCommand(QStringLiteral("selectedMode"), -1);
}

int GpuBranch::runLighting(int mode, const QVariantMap& command)
{
    const LightingArgs a = lightingArgs(command);
    switch (mode) {
    case 1: return m_device.click_singleColor(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 2: return m_device.click_meteor(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 3: return m_device.click_breathing(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 4: return m_device.click_ripple(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 5: return m_device.click_doubleBlink(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 6: return m_device.click_blink(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 7: return m_device.click_colorShift(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 8: return m_device.click_sevenColors(a.gpuIndex, a.brightness, a.speed, a.red, a.green, a.blue);
    case 9: return m_device.sync_MotherBoard_State_On(a.gpuIndex);
    case 10: return m_device.sync_MotherBoard_State_Off(a.gpuIndex);
    default: return -1;
    }
}

void GpuBranch::answerFavourites(WorkerContext& ctx, const QString& favouritesPath)
{
    // Only the first favourites request after a discovery carries the list.
    if (ctx.state.favouritesPending != 1)
        return;
    ctx.answer.insert(QStringLiteral("GPU_favoriteList"), m_device.getUserFavoriteInfo(favouritesPath));
    ctx.answer.insert(QStringLiteral("selectedMode"), 15);
    ctx.state.favouritesPending = 0;
}

void GpuBranch::saveControlData(const WorkerContext& ctx)
{
    qDebug() << "======================== Update or Save Data ==========================";
    // Replaced whole in one atomic step: a failed write keeps the previous command.
    saveJsonList({ctx.answer}, ctx.store.gpuControlData());
}
