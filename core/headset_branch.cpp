#include "core/headset_branch.h"

#include "bridge/map_reading.h"
#include "devices/headset/dev_headphone.h"
#include "devices/headset/headset_settings.h"
#include "util/files.h"
#include "util/json_files.h"

#include <QDebug>

namespace {

const QString kRunFunction = QStringLiteral("runFunction");
const QString kResults = QStringLiteral("RESULTS");
const QString kResetGeq = QStringLiteral("resetGEQ");

} // namespace

HeadsetBranch::HeadsetBranch(DEV_HEADPHONE& device) : m_device(device) {}

void HeadsetBranch::run(WorkerContext& ctx)
{
    qDebug() << "run() TALVORIN for Headphone";
    ctx.answer.clear();
    ctx.answer.insert(kResults, -1);
    const int runFunction = readInt(ctx.command, kRunFunction, 0);
    const int option = readInt(ctx.command, QStringLiteral("selectDtsOption"), 0);
    addFirmwareVersion(ctx);
    // The option that was on before processing was switched off, kept for switching it on again.
    const int beforeOff = readInt(ctx.command, QStringLiteral("beforeOFF"), 0);

    if (m_device.isHeadsetConnected())
        runOperation(ctx, runFunction);
    else
        qCritical() << "USB device is not connect. ";

    saveChoice(ctx, runFunction, option, beforeOff);
    ctx.answer.insert(QStringLiteral("Control"), 3);
    ctx.publish();
    ctx.finish();
}

void HeadsetBranch::addFirmwareVersion(WorkerContext& ctx)
{
    QVariantMap firmware;
    if (loadJsonObject(ctx.store.headphoneFirmwareVersion(), firmware))
        ctx.answer.insert(QStringLiteral("HeadphoneFW"), firmware.value(QStringLiteral("name")));
    // What an update would install, and why nothing is known when the server could not say.
    const QVariantMap offered = ctx.state.firmwareByName.value(QStringLiteral("Headset-MP"));
    ctx.answer.insert(QStringLiteral("HeadphoneFW_Offered"), offered.value(QStringLiteral("version")).toString());
    ctx.answer.insert(QStringLiteral("updateCheckError"), ctx.state.updateCheckError);
}

void HeadsetBranch::runOperation(WorkerContext& ctx, int runFunction)
{
    m_device.receiveDataFromQML(ctx.command);
    const QVariantMap result = m_device.run_Headphone_Settings(runFunction);
    for (auto it = result.constBegin(); it != result.constEnd(); ++it)
        ctx.answer.insert(it.key(), it.value());
    ctx.answer.insert(kResults, 1);
    if (runFunction != 5)
        return;
    // Applying an option resets the headset's parametric equaliser too, unless the page
    // asked only for the graphic equaliser to be reset.
    if (readInt(ctx.command, kResetGeq, 0) == 1) {
        ctx.answer.insert(kResetGeq, 1);
    } else {
        ctx.answer.insert(kResetGeq, 0);
        m_device.SetPEQParameter();
    }
    ctx.answer.insert(kRunFunction, 5);
}

void HeadsetBranch::saveChoice(WorkerContext& ctx, int runFunction, int option, int beforeOff)
{
    if (runFunction <= 1)
        return;
    const QString path = ctx.store.headphoneSettings();
    if (option < 1) {
        // No choice to remember. An existing file holds the custom slots and is kept as it is;
        // a first file is started with this answer so that the page finds user data later.
        if (fileExists(path))
            return;
        saveJsonList({ctx.answer}, path);
        qDebug() << "saveDataList_ToFile";
        return;
    }
    if (!fileExists(path))
        return;
    SettingsRecords records = loadJsonList(path);
    setLastChoice(records, {{QStringLiteral("getlastAction"), option}, {QStringLiteral("beforeOFF"), beforeOff}});
    saveJsonList(records, path);
    qDebug() << "saveDataList_ToFile";
}
