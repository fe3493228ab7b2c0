#include "core/update_branch.h"

#include "core/installer.h"
#include "util/files.h"
#include "util/json_files.h"
#include "util/logging.h"

#include <QDebug>
#include <QDir>

namespace {

const QString kSoftware = QStringLiteral("software");
const QString kFirmware = QStringLiteral("firmware");
const QString kHyperlink = QStringLiteral("hyperlink");
const QString kDongleFirmware = QStringLiteral("Mouse-Dongle");

// The help links the UI shows; each is answered under its name + "-Link".
const QStringList kHelpLinkNames = {
    QStringLiteral("HomePage-FAQ"),       QStringLiteral("HomePage-ReleaseNote"),
    QStringLiteral("HomePage-ContactUs"), QStringLiteral("GPU-Support"),
    QStringLiteral("Headset-UserManual"), QStringLiteral("Mouse-UserManual"),
    QStringLiteral("Mouse-ReleaseNote"),
};

QString textOf(const QVariantMap& entry, const char* key)
{
    return entry.value(QLatin1String(key)).toString();
}

void logSoftwareEntry(const QVariantMap& entry)
{
    qDebug() << "  Name:" << textOf(entry, "name");
    qDebug() << "  Version:" << textOf(entry, "version");
    qDebug() << "  Download Link:" << textOf(entry, "downloadLink");
}

void answerUpdateState(WorkerContext& ctx, int downloadFile, int installApp)
{
    ctx.answer.insert(QStringLiteral("Control"), 7);
    ctx.answer.insert(QStringLiteral("downloadFile"), downloadFile);
    ctx.answer.insert(QStringLiteral("InstallApp"), installApp);
}

} // namespace

UpdateBranch::UpdateBranch(UpdateService& service) : m_service(service) {}

QString UpdateBranch::readInstalledVersion(const DataStore& store)
{
    if (!fileExists(store.versionFile()))
        return kDefaultAppVersion;
    const QString version = readFirstLineFromFile(store.versionFile());
    qDebug() << "File exists. Content:" << version;
    return version;
}

UpdateManifest UpdateBranch::fetchManifest(WorkerContext& ctx, UpdateService& service)
{
    QString failure;
    const UpdateManifest manifest = service.check_NewVersionFromServer(&failure);
    ctx.state.updateCheckError = manifest.isEmpty() ? failure : QString();
    if (manifest.isEmpty() && ctx.state.updateCheckError.isEmpty())
        ctx.state.updateCheckError = kUnreadableManifestText;
    ctx.answer.insert(QStringLiteral("updateCheck"), manifest.isEmpty() ? -1 : 1);
    ctx.answer.insert(QStringLiteral("updateCheckError"), ctx.state.updateCheckError);
    return manifest;
}

void UpdateBranch::runServerInformation(WorkerContext& ctx)
{
    qDebug() << "\n\nGET info from server:";
    ctx.state.installedVersion = readInstalledVersion(ctx.store);
    ctx.answer.insert(QStringLiteral("updateApp"), 0);
    ctx.answer.insert(QStringLiteral("dongle_fw_update"), 0);
    ctx.answer.insert(QStringLiteral("appVersion"), ctx.state.installedVersion);

    const UpdateManifest manifest = fetchManifest(ctx, m_service);
    if (manifest.isEmpty()) {
        qDebug() << "Failed to check version from server.";
    } else {
        qDebug() << "Version check success!";
        ctx.state.serverInfo = manifest;
        offerSoftwareUpdate(ctx);
        takeFirmwareEntries(ctx);
        addHelpLinks(ctx);
    }
    // Answered also when the server could not be reached: the UI moves on to Control 5 from here.
    ctx.answer.insert(QStringLiteral("Control"), 11);
    ctx.publish();
    ctx.finish();
}

void UpdateBranch::offerSoftwareUpdate(WorkerContext& ctx)
{
    // Any version other than the installed one is offered, older ones too: the server decides.
    for (const QVariant& item : ctx.state.serverInfo.value(kSoftware)) {
        if (textOf(item.toMap(), "version") != ctx.state.installedVersion)
            ctx.answer.insert(QStringLiteral("updateApp"), 1);
    }
}

void UpdateBranch::takeFirmwareEntries(WorkerContext& ctx)
{
    ctx.state.firmwareByName.clear();
    for (const QVariant& item : ctx.state.serverInfo.value(kFirmware)) {
        const QVariantMap entry = item.toMap();
        const QString name = textOf(entry, "name");
        if (name.isEmpty())
            continue;
        ctx.state.firmwareByName.insert(name, entry);
        if (name == kDongleFirmware)
            offerDongleUpdate(ctx, entry);
    }
}

void UpdateBranch::offerDongleUpdate(WorkerContext& ctx, const QVariantMap& dongleEntry)
{
    QVariantMap installed;
    if (!loadJsonObject(ctx.store.dongleVersion(), installed))
        return;
    const QString serverVersion = textOf(dongleEntry, "version");
    const QString localVersion = textOf(installed, "version");
    qDebug() << "  Version Server:" << serverVersion;
    qDebug() << "  Version Json:" << localVersion;
    if (serverVersion != localVersion)
        ctx.answer.insert(QStringLiteral("dongle_fw_update"), 1);
}

void UpdateBranch::addHelpLinks(WorkerContext& ctx)
{
    for (const QVariant& item : ctx.state.serverInfo.value(kHyperlink)) {
        const QVariantMap entry = item.toMap();
        const QString name = textOf(entry, "name");
        if (kHelpLinkNames.contains(name))
            ctx.answer.insert(name + QStringLiteral("-Link"), textOf(entry, "link"));
    }
}

void UpdateBranch::runApplicationUpdate(WorkerContext& ctx)
{
    qDebug() << "======================== check new version and update ================================";
    ctx.state.installedVersion = readInstalledVersion(ctx.store);
    const UpdateManifest manifest = fetchManifest(ctx, m_service);
    ctx.answer.insert(QStringLiteral("downloadError"), QString());
    bool installerStarted = false;
    for (auto category = manifest.begin(); category != manifest.end(); ++category) {
        qDebug() << "Category:" << category.key();
        if (category.key() != kSoftware)
            continue;
        for (const QVariant& item : category.value()) {
            const QVariantMap entry = item.toMap();
            logSoftwareEntry(entry);
            if (textOf(entry, "version") != ctx.state.installedVersion)
                installerStarted = installUpdate(ctx, entry) || installerStarted;
        }
    }
    // The UI shows its progress bar from the moment it asks: tell it when nothing was installed
    // (no manifest, no newer entry, or a failed download) so that it stops waiting.
    if (!installerStarted) {
        answerUpdateState(ctx, 0, 0);
        ctx.publish();
    }
    ctx.answer.insert(QStringLiteral("Control"), -1);
    ctx.answer.insert(QStringLiteral("InstallApp"), 0);
    ctx.answer.insert(QStringLiteral("downloadFile"), 0);
    // Nothing to run afterwards: the slot may still hold an earlier mouse command's keys, and
    // running that branch again (a reset, say) is not what finishing an update means.
    ctx.finish();
}

bool UpdateBranch::installUpdate(WorkerContext& ctx, const QVariantMap& entry)
{
    const QString version = textOf(entry, "version");
    const QString link = textOf(entry, "downloadLink");
    answerUpdateState(ctx, 1, 0);
    ctx.answer.insert(QStringLiteral("new_version"), version);
    ctx.publish();

    const QString fileName = installerFileName(version, link);
    if (fileName.isEmpty())
        qWarning() << "Refusing to save an installer for the version" << version;
    const QString path = fileName.isEmpty() ? QString() : installerFolder() + QLatin1Char('/') + fileName;
    if (path.isEmpty() || !downloadInstaller(ctx, link, path)) {
        writeStdout(QStringLiteral("Download failed!\n"));
        ctx.answer.insert(QStringLiteral("downloadError"), QStringLiteral("The update could not be downloaded"));
        return false;
    }
    writeStdout(QStringLiteral("File downloaded successfully!\n"));
    answerUpdateState(ctx, 1, 1);
    ctx.answer.insert(QStringLiteral("updateApp"), 0);
    ctx.publish();
    return runInstaller(path);
}

bool UpdateBranch::downloadInstaller(WorkerContext& ctx, const QString& link, const QString& path)
{
    ensureDirectory(installerFolder());
    return m_service.downloadFileFromServer(link, path, [&ctx](int percent) {
        answerUpdateState(ctx, 1, 0);
        ctx.answer.insert(QStringLiteral("progress"), percent);
        ctx.publish();
    });
}
