#include "core/autostart_branch.h"

#include "platform/autostart.h"
#include "util/files.h"
#include "util/logging.h"

#include <QCoreApplication>
#include <QDebug>

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

bool AutostartBranch::RunBatAsAdmin(const QString& batFileName)
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
    return ok;
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
    if (RunBatAsAdmin(QStringLiteral("create_task.bat"))) {
        value = 1;
        qDebug() << "create_task.bat executed successfully.";
        ctx.answer.insert(QStringLiteral("StartwithWindows"), 1);
    } else {
        qDebug() << "Failed to execute create_task.bat.";
    }
    writeStartupValue(ctx.store, value, "Write result");
    ctx.answer.insert(QStringLiteral("StartwithWindows"), startupFlagForUi(ctx.store));
    ctx.answer.insert(QStringLiteral("Control"), 12);
    ctx.publish();
    ctx.finish();
}

void AutostartBranch::runRemoveTask(WorkerContext& ctx)
{
    qDebug() << "StartwithWindows remove task";
    if (RunBatAsAdmin(QStringLiteral("remove_task.bat"))) {
        qDebug() << "remove_task.bat executed successfully.";
        writeStartupValue(ctx.store, 0, "Update result");
    } else {
        qDebug() << "Failed to execute remove_task.bat.";
    }
    ctx.answer.insert(QStringLiteral("StartwithWindows"), startupFlagForUi(ctx.store));
    ctx.answer.insert(QStringLiteral("Control"), 13);
    ctx.publish();
    ctx.finish();
}
