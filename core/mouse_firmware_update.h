#pragma once
// Mouse and receiver firmware (Control 9 and 10): the package named by the update manifest,
// unpacked under /Mouse, and the flashing programs it holds.
#include "core/update_service.h"
#include "core/worker_context.h"

class MouseFirmwareUpdate {
public:
    explicit MouseFirmwareUpdate(UpdateService& service);

    // Control 9: downloads and unpacks the package; with FwSwitch 2 then flashes the receiver.
    void downloadPackage(WorkerContext& ctx);
    // Control 10 (FwSwitch 1): flashes the mouse from the unpacked package.
    void installMouse(WorkerContext& ctx);

    // Run the package's mouse or receiver program in the work folder and publish its verdict.
    // True when the program reported "Completed." after a zero return code.
    bool runCommandAndCaptureStdout_MouseFW(const QString& workDirStr, WorkerContext& ctx);
    bool runCommandAndCaptureStdout_MouseDongle(const QString& workDirStr, WorkerContext& ctx);

private:
    enum class Target { Mouse, Dongle };

    bool runFlashProgram(Target target, const QString& workFolder, WorkerContext& ctx);
    void answerVerdict(Target target, bool succeeded, WorkerContext& ctx);
    void recordDongleVersion(WorkerContext& ctx);
    // Downloads and unpacks one manifest entry; true when its work folder is ready.
    bool fetchPackage(const QVariantMap& entry, WorkerContext& ctx);
    QString workFolder(const WorkerContext& ctx) const;

    UpdateService& m_service;
};
