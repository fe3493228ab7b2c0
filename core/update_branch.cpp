#include "core/update_branch.h"

#include "util/files.h"

#include <QDebug>

UpdateBranch::UpdateBranch(UpdateService& service) : m_service(service) {}

QString UpdateBranch::readInstalledVersion(const DataStore& store)
{
    if (!fileExists(store.versionFile()))
        return kDefaultAppVersion;
    const QString version = readFirstLineFromFile(store.versionFile());
    qDebug() << "File exists. Content:" << version;
    return version;
}

void UpdateBranch::runServerInformation(WorkerContext& ctx)
{
    ctx.answer.insert(QStringLiteral("Control"), 11);
    ctx.answer.insert(QStringLiteral("updateApp"), 0);
    ctx.answer.insert(QStringLiteral("dongle_fw_update"), 0);
    ctx.answer.insert(QStringLiteral("appVersion"), readInstalledVersion(ctx.store));
    ctx.publish();
    ctx.finish();
}

void UpdateBranch::runApplicationUpdate(WorkerContext& ctx)
{
    ctx.finish();
}
