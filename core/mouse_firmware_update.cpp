#include "core/mouse_firmware_update.h"

#include "bridge/map_reading.h"
#include "core/firmware_files.h"
#include "core/firmware_output.h"
#include "core/mouse_package.h"
#include "core/tool_runner.h"
#include "util/files.h"
#include "util/logging.h"

#include <QDebug>
#include <QFileInfo>

namespace {

const QString kMouseRf = QStringLiteral("Mouse-RF");
const QString kMouseNxp = QStringLiteral("Mouse-NXP");
const QString kDongle = QStringLiteral("Mouse-Dongle");
const QString kFail = QStringLiteral("Fail...!");

QString textOf(const QVariantMap& entry, const char* key)
{
    return entry.value(QLatin1String(key)).toString();
}

bool isMousePackage(const QString& name)
{
    return name == kMouseRf || name == kMouseNxp;
}

} // namespace

MouseFirmwareUpdate::MouseFirmwareUpdate(UpdateService& service) : m_service(service) {}

QString MouseFirmwareUpdate::workFolder(const WorkerContext& ctx) const
{
    if (ctx.state.mousePackageName.isEmpty())
        return QString();
    return ctx.store.mouseFolder() + QLatin1Char('/') + packageFolderName(ctx.state.mousePackageName);
}

void MouseFirmwareUpdate::downloadPackage(WorkerContext& ctx)
{
    ctx.answer.insert(QStringLiteral("download_completed"), -1);
    ctx.answer.insert(QStringLiteral("Info"), QString());
    ctx.answer.insert(QStringLiteral("Status"), 0);
    qDebug() << "Mouse: download bin file";
    const QVariantList firmware = ctx.state.serverInfo.value(QStringLiteral("firmware"));
    if (firmware.isEmpty())
        qWarning() << "The server named no firmware (server information not fetched?)";
    ctx.answer.insert(QStringLiteral("failureCause"), noFirmwareCause(ctx.state));
    for (const QVariant& item : firmware) {
        const QVariantMap entry = item.toMap();
        if (isMousePackage(textOf(entry, "name")))
            ctx.answer.insert(textOf(entry, "name"), textOf(entry, "version"));
    }
    for (const QVariant& item : firmware) {
        const QVariantMap entry = item.toMap();
        if (!isMousePackage(textOf(entry, "name")))
            continue;
        const bool ready = fetchPackage(entry, ctx);
        ctx.answer.insert(QStringLiteral("download_completed"), ready ? 1 : -1);
        ctx.answer.insert(QStringLiteral("failureCause"),
                          ready ? QString() : QStringLiteral("The firmware could not be downloaded from the update server"));
    }
    const bool ready = ctx.answer.value(QStringLiteral("download_completed")).toInt() == 1;
    if (readInt(ctx.command, QStringLiteral("FwSwitch"), 0) == 2 && ready) {
        const bool flashed = runCommandAndCaptureStdout_MouseDongle(workFolder(ctx), ctx);
        writeStdout(flashed ? QStringLiteral("MOUSE DONGLE install new FW successfully!\n")
                            : QStringLiteral("MOUSE DONGLE install new FW fail!\n"));
    } else {
        // Also after a failed download for the receiver: the UI waits for an answer.
        ctx.answer.insert(QStringLiteral("Control"), 9);
        ctx.publish();
    }
    ctx.finish();
}

bool MouseFirmwareUpdate::fetchPackage(const QVariantMap& entry, WorkerContext& ctx)
{
    const QString link = textOf(entry, "downloadLink");
    qDebug() << "  Name:" << textOf(entry, "name");
    qDebug() << "  Version:" << textOf(entry, "version");
    qDebug() << "  Download Link:" << link;
    const QString package = firmwareFileNameFromLink(link);
    qDebug().noquote() << QStringLiteral("mouse_FW_package: ") + package;
    if (package.isEmpty()) {
        qWarning() << "Refusing a firmware link that names no plain file:" << link;
        writeStdout(QStringLiteral("mouse_FW_package downloaded fail!\n"));
        return false;
    }
    const QString archive = ctx.store.mouseFolder() + QLatin1Char('/') + package;
    const QString unpacked = ctx.store.mouseFolder() + QLatin1Char('/') + packageFolderName(package);
    if (replacesUserData(ctx.store, archive) || replacesUserData(ctx.store, unpacked)) {
        qWarning() << "Refusing a firmware package whose name is taken by the user's data:" << package;
        writeStdout(QStringLiteral("mouse_FW_package downloaded fail!\n"));
        return false;
    }
    ensureDirectory(ctx.store.mouseFolder());
    if (!m_service.downloadFileFromServerHeadphone(link, archive)) {
        writeStdout(QStringLiteral("mouse_FW_package downloaded fail!\n"));
        return false;
    }
    writeStdout(QStringLiteral("mouse_FW_package downloaded successfully!\n"));
    ctx.state.mousePackageName = package;
    return unpackMousePackage(archive, ctx.store.mouseFolder(), packageFolderName(package));
}

void MouseFirmwareUpdate::installMouse(WorkerContext& ctx)
{
    qDebug() << "MOUSE: install new FW";
    ctx.answer.insert(QStringLiteral("Info"), QString());
    ctx.answer.insert(QStringLiteral("Status"), 0);
    const bool flashed = runCommandAndCaptureStdout_MouseFW(workFolder(ctx), ctx);
    writeStdout(flashed ? QStringLiteral("MOUSE install new FW successfully!\n")
                        : QStringLiteral("MOUSE install new FW fail!\n"));
    ctx.finish();
}

bool MouseFirmwareUpdate::runCommandAndCaptureStdout_MouseFW(const QString& workDirStr, WorkerContext& ctx)
{
    return runFlashProgram(Target::Mouse, workDirStr, ctx);
}

bool MouseFirmwareUpdate::runCommandAndCaptureStdout_MouseDongle(const QString& workDirStr, WorkerContext& ctx)
{
    return runFlashProgram(Target::Dongle, workDirStr, ctx);
}

bool MouseFirmwareUpdate::runFlashProgram(Target target, const QString& workFolder, WorkerContext& ctx)
{
    const int fwSwitch = target == Target::Mouse ? 1 : 2;
    const QString name = target == Target::Mouse ? mouseFlashProgram() : dongleFlashProgram();
    const QString program = workFolder.isEmpty() ? QString() : programInFolder(workFolder, name);
    if (program.isEmpty()) {
        qWarning() << "The mouse firmware package has not been downloaded and unpacked";
        ctx.answer.insert(QStringLiteral("Control"), 9);
        ctx.answer.insert(QStringLiteral("FwSwitch"), fwSwitch);
        answerVerdict(target, false, ctx);
        return false;
    }
    FlashRunVerdict verdict;
    const ToolRun run = runToolReadingOutput(program, {}, workFolder, [&](const QByteArray& bytes) {
        const QString piece = withoutLineBreaks(QString::fromLocal8Bit(bytes));
        writeStdout(QStringLiteral("[stdout] ") + piece + QLatin1Char('\n'));
        ctx.answer.insert(QStringLiteral("Control"), 9);
        ctx.answer.insert(QStringLiteral("FwSwitch"), fwSwitch);
        ctx.answer.insert(QStringLiteral("Status"), 0);
        const FlashRunVerdict::Verdict result = verdict.take(piece);
        if (result != FlashRunVerdict::Verdict::None)
            answerVerdict(target, result == FlashRunVerdict::Verdict::Succeeded, ctx);
    });
    if (!run.finished && run.started)
        return false; // stopped with the worker: nobody is waiting for the answer
    if (!verdict.gaveVerdict()) {
        // The program could not start or ended without its last line: tell the UI, which
        // otherwise waits for a verdict that never comes.
        ctx.answer.insert(QStringLiteral("Control"), 9);
        ctx.answer.insert(QStringLiteral("FwSwitch"), fwSwitch);
        answerVerdict(target, false, ctx);
    }
    return verdict.succeeded();
}

void MouseFirmwareUpdate::answerVerdict(Target target, bool succeeded, WorkerContext& ctx)
{
    if (!succeeded) {
        writeStdout(QStringLiteral("[Info] Fail...!\n"));
        ctx.answer.insert(QStringLiteral("Status"), -1);
        ctx.answer.insert(QStringLiteral("Info"), kFail);
        ctx.publish();
        return;
    }
    writeStdout(target == Target::Mouse ? QStringLiteral("[Info] All tasks completed.!\n")
                                        : QStringLiteral("[Info] Completed.!\n"));
    ctx.answer.insert(QStringLiteral("Status"), 1);
    ctx.answer.insert(QStringLiteral("Info"), QStringLiteral("All tasks completed."));
    ctx.publish();
    if (target == Target::Dongle)
        recordDongleVersion(ctx);
}

void MouseFirmwareUpdate::recordDongleVersion(WorkerContext& ctx)
{
    if (!ctx.state.firmwareByName.contains(kDongle)) {
        qWarning() << "The server named no" << kDongle << "firmware: its version is not recorded";
        return;
    }
    const QVariantMap entry = ctx.state.firmwareByName.value(kDongle);
    qDebug() << "Completed, save fw version!";
    writeVersionRecord(ctx.store.dongleVersion(), textOf(entry, "name"), textOf(entry, "version"));
}
