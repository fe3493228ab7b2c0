#pragma once
// The worker's branches for the server information (Control 11) and the application update (Control 7).
#include "core/update_service.h"
#include "core/worker_context.h"

class UpdateBranch {
public:
    explicit UpdateBranch(UpdateService& service);

    void runServerInformation(WorkerContext& ctx);
    void runApplicationUpdate(WorkerContext& ctx);

    // The installed version: the first line of /version.txt, or the built-in one.
    static QString readInstalledVersion(const DataStore& store);
    // Fetches the manifest into the worker's state and answers how the check went:
    // "updateCheck" 1 or -1 and, on failure, its cause under "updateCheckError".
    static UpdateManifest fetchManifest(WorkerContext& ctx, UpdateService& service);

private:
    static void offerSoftwareUpdate(WorkerContext& ctx);
    static void takeFirmwareEntries(WorkerContext& ctx);
    static void offerDongleUpdate(WorkerContext& ctx, const QVariantMap& dongleEntry);
    static void addHelpLinks(WorkerContext& ctx);
    // Downloads and runs the installer of one software entry; true when it was started.
    bool installUpdate(WorkerContext& ctx, const QVariantMap& entry);
    bool downloadInstaller(WorkerContext& ctx, const QString& link, const QString& path);

    UpdateService& m_service;
};
