#include "core/headset_firmware_update.h"

#include "bridge/map_reading.h"
#include "core/firmware_files.h"
#include "core/firmware_output.h"
#include "core/tool_runner.h"
#include "util/files.h"
#include "util/logging.h"

#include <QDebug>

namespace {

const QString kMainFirmware = QStringLiteral("Headset-MP");
const QString kMicFirmware = QStringLiteral("Headset-Mic");

QString textOf(const QVariantMap& entry, const char* key)
{
    return entry.value(QLatin1String(key)).toString();
}

// The page waits for a final status after it asked for a flash; when the tool could not be
// started or ended without one, it is told that the device was not updated.
void answerNoToolResult(WorkerContext& ctx)
{
    qWarning() << "Headphone: the flashing tool reported no result; the update counts as failed";
    ctx.answer.insert(QStringLiteral("Control"), 8);
    ctx.answer.insert(QStringLiteral("Status"), kHeadsetReadInfoFail);
    ctx.answer.insert(QStringLiteral("Info"), QStringLiteral("OTA read device info fail"));
    ctx.publish();
}

} // namespace

HeadsetFirmwareUpdate::HeadsetFirmwareUpdate(UpdateService& service) : m_service(service) {}

void HeadsetFirmwareUpdate::download(WorkerContext& ctx)
{
    qDebug() << "Headphone: download bin file";
    ctx.answer.insert(QStringLiteral("Control"), 8);
    // A runStep left from an earlier answer must not tell the UI that this download worked.
    ctx.answer.remove(QStringLiteral("runStep"));
    ctx.answer.remove(QStringLiteral("failureCause"));
    const QString mainFile = downloadEntry(kMainFirmware, QStringLiteral("headsetMP"), ctx);
    if (!mainFile.isEmpty())
        ctx.state.headsetMainFirmwareFile = mainFile;
    const QString micFile = downloadEntry(kMicFirmware, QStringLiteral("headsetMic"), ctx);
    if (!micFile.isEmpty())
        ctx.state.headsetMicFirmwareFile = micFile;
    ctx.publish();
    ctx.finish();
}

QString HeadsetFirmwareUpdate::downloadEntry(const QString& entryName, const QString& label, WorkerContext& ctx)
{
    if (!ctx.state.firmwareByName.contains(entryName)) {
        qWarning() << "The server named no" << entryName << "firmware (server information not fetched?)";
        ctx.answer.insert(QStringLiteral("failureCause"), noFirmwareCause(ctx.state));
        return QString();
    }
    const QVariantMap entry = ctx.state.firmwareByName.value(entryName);
    const QString link = textOf(entry, "downloadLink");
    qDebug() << "  Name:" << textOf(entry, "name");
    qDebug() << "  Version:" << textOf(entry, "version");
    qDebug() << "  Download Link:" << link;
    const QString fileName = firmwareFileNameFromLink(link);
    qDebug().noquote() << QStringLiteral("binFileName_%1: ").arg(label) + fileName;
    const QString savePath = ctx.store.headphoneFolder() + QLatin1Char('/') + fileName;
    bool saved = false;
    if (fileName.isEmpty()) {
        qWarning() << "Refusing a firmware link that names no plain file:" << link;
    } else if (replacesUserData(ctx.store, savePath)) {
        qWarning() << "Refusing a firmware file whose name is taken by the user's data:" << fileName;
    } else {
        ensureDirectory(ctx.store.headphoneFolder());
        saved = m_service.downloadFileFromServerHeadphone(link, savePath);
    }
    if (!saved) {
        writeStdout(QStringLiteral("binFileName_%1 downloaded fail!\n").arg(label));
        return QString();
    }
    writeStdout(QStringLiteral("binFileName_%1 downloaded successfully!\n").arg(label));
    ctx.answer.insert(QStringLiteral("runStep"), 1);
    return fileName;
}

void HeadsetFirmwareUpdate::install(WorkerContext& ctx)
{
    qDebug() << "Headphone: install new FW";
    const int fwSwitch = readInt(ctx.command, QStringLiteral("FwSwitch"), 0);
    if (fwSwitch != 1 && fwSwitch != 2) {
        qWarning() << "Headphone: no firmware for FwSwitch" << fwSwitch;
        ctx.finish();
        return;
    }
    const QString name = fwSwitch == 1 ? kMainFirmware : kMicFirmware;
    const QString version = fwSwitch == 1 ? QStringLiteral("v8") : QStringLiteral("v8-2");
    const QString fileName = fwSwitch == 1 ? ctx.state.headsetMainFirmwareFile : ctx.state.headsetMicFirmwareFile;
    qDebug() << "binFileName: " << fileName;
    bool installed = false;
    if (fileName.isEmpty()) {
        qWarning() << "Headphone: the firmware has not been downloaded";
        answerNoToolResult(ctx);
    } else {
        installed = runCommandAndCaptureStdout(name, version, ctx.store.headphoneFolder() + QLatin1Char('/') + fileName, ctx);
    }
    writeStdout(installed ? QStringLiteral("headsetMP firmware install successfully!\n")
                          : QStringLiteral("headsetMP firmware install fail!\n"));
    ctx.finish();
}

bool HeadsetFirmwareUpdate::runCommandAndCaptureStdout(const QString& fw_name, const QString& fw_version,
                                                 const QString& binPath, WorkerContext& ctx)
{
    bool otaSucceeded = false;
    bool finalStatus = false;
    const QString folder = headsetToolFolder();
    const ToolRun run = runToolReadingOutput(folder + QLatin1Char('/') + headsetToolProgram(), {binPath}, folder,
                                             [&](const QByteArray& bytes) {
        const QString piece = QString::fromLocal8Bit(bytes);
        ctx.answer.insert(QStringLiteral("Control"), 8);
        ctx.answer.insert(QStringLiteral("Status"), 0);
        for (const ToolStatus& status : headsetToolStatuses(piece)) {
            ctx.answer.insert(QStringLiteral("Status"), status.status);
            ctx.answer.insert(QStringLiteral("Info"), status.info);
            ctx.publish();
            finalStatus = finalStatus || isFinalHeadsetStatus(status.status);
            if (status.status == kHeadsetOtaSuccess) {
                otaSucceeded = true;
                writeVersionRecord(ctx.store.headphoneFirmwareVersion(), fw_name, fw_version);
            }
        }
    });
    if (run.started && !run.finished)
        return false; // stopped with the worker: nobody is waiting for the answer
    if (!finalStatus)
        answerNoToolResult(ctx);
    return run.finished && otaSucceeded;
}
