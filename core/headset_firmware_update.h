#pragma once
// Headset firmware (Control 8): fetching the images named by the update manifest, and
// running the headset's flashing tool on them.
#include "core/update_service.h"
#include "core/worker_context.h"

class HeadsetFirmwareUpdate {
public:
    explicit HeadsetFirmwareUpdate(UpdateService& service);

    // runStep 1: downloads "Headset-MP" and "Headset-Mic" into /Headphone; answers runStep 1
    // when a file arrived.
    void download(WorkerContext& ctx);
    // runStep 2: flashes the main (FwSwitch 1) or microphone (FwSwitch 2) image.
    void install(WorkerContext& ctx);

    // Runs the tool on one image and publishes what its output reports; after "OTA SUCCESS"
    // records fw_name and fw_version in fw_version.json. True when the tool reported success.
    bool runCommandAndCaptureStdout(const QString& fw_name, const QString& fw_version, const QString& binPath,
                                    WorkerContext& ctx);

private:
    // Downloads one manifest entry; the saved file's name, or empty.
    QString downloadEntry(const QString& entryName, const QString& label, WorkerContext& ctx);

    UpdateService& m_service;
};
