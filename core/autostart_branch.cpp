#include "core/autostart_branch.h"

#include "platform/autostart.h"
#include "util/files.h"
#include "util/store_reading.h"
#include "util/logging.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>

namespace {

bool writeStartupValue(const DataStore& store, int value, const char* okLabel)
{
    if (writeIntToFile(store.startAppFile(), value)) {
        qDebug() << okLabel << value << "to file OK";
        return true;
    }
    qWarning() << "Write result failed!";
    return false;
}

} // namespace

void answerStartAtLogin(WorkerContext& ctx, int control, const QString& refusal)
{
    ctx.answer.insert(QStringLiteral("StartwithWindows"), AutostartBranch::startAtLoginForUi());
    ctx.answer.insert(QStringLiteral("StartwithWindowsError"), refusal);
    ctx.answer.insert(QStringLiteral("Control"), control);
    ctx.publish();
    ctx.finish();
}

bool AutostartBranch::RunBatAsAdmin(const QString& batFileName, QString* reason)
{
    QString error;
    bool ok = false;
    if (batFileName == QLatin1String("create_task.bat"))
        ok = platform::enableAutostart(QCoreApplication::applicationFilePath(), &error);
    else if (batFileName == QLatin1String("remove_task.bat"))
        ok = platform::disableAutostart(&error);
    else
        error = QStringLiteral("unknown task ") + batFileName;
    if (!ok)
        writeStderr(QStringLiteral("ShellExecuteEx failed, error code: %1\n").arg(error));
    if (reason)
        *reason = error;
    return ok;
}

int AutostartBranch::startAtLoginForUi()
{
    return platform::isAutostartEnabled() ? 1 : 0;
}

int AutostartBranch::showWindowAtStart(const DataStore& store)
{
    const StoreFile file = readStoreFile(store.showWindowFile());
    if (file.status == StoreFile::Status::Missing || file.status == StoreFile::Status::CannotOpen) {
        qDebug() << "[FSA] Could not open FSA.txt for reading. File path:" << store.showWindowFile();
        return 0;
    }
    return file.bytes.trimmed() == "1" ? 1 : 0;
}

void AutostartBranch::runReadStartOptions(WorkerContext& ctx)
{
    ctx.answer.insert(QStringLiteral("firstrStartAppShowGUI"), showWindowAtStart(ctx.store));
    answerStartAtLogin(ctx, 14, QString());
}

int AutostartBranch::startupFlagForUi(const DataStore& store)
{
    const int flag = readFlagFromFile(store.startAppFile());
    return flag == 0 || flag == 1 ? flag : 255;
}

bool AutostartBranch::markFirstStart(const DataStore& store)
{
    const int value = readIntFromFile(store.startAppFile());
    qDebug() << "create_task: " << value;
    if (value == 0 || value == 1)
        return false;
    writeStartupValue(store, 1, "Write result");
    return true;
}

void AutostartBranch::runCreateTask(WorkerContext& ctx)
{
    qDebug() << "StartwithWindows Settings create task";
    int value = readIntFromFile(ctx.store.startAppFile());
    QString error;
    QString refusal;
    if (RunBatAsAdmin(QStringLiteral("create_task.bat"), &error)) {
        value = 1;
        qDebug() << "create_task.bat executed successfully.";
    } else {
        qDebug() << "Failed to execute create_task.bat.";
        refusal = QStringLiteral("Could not add the start-at-login entry: ") + error;
    }
    writeStartupValue(ctx.store, value, "Write result");
    answerStartAtLogin(ctx, 12, refusal);
}

void AutostartBranch::runRemoveTask(WorkerContext& ctx)
{
    qDebug() << "StartwithWindows remove task";
    QString error;
    QString refusal;
    if (RunBatAsAdmin(QStringLiteral("remove_task.bat"), &error)) {
        qDebug() << "remove_task.bat executed successfully.";
        writeStartupValue(ctx.store, 0, "Update result");
    } else {
        qDebug() << "Failed to execute remove_task.bat.";
        refusal = QStringLiteral("Could not remove the start-at-login entry: ") + error;
    }
    answerStartAtLogin(ctx, 13, refusal);
}
