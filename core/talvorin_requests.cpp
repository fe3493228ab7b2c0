// What reaches the worker besides QML's command slot: command-line requests and the home
// page's commands that run several devices' commands in one turn (the settings file, "All
// devices" lighting). Each device command runs through its own branch, outside the slot.
#include "core/talvorin.h"

#include "bridge/map_reading.h"
#include "core/all_devices_lighting.h"

#include <QDebug>
#include <QUrl>

namespace {

// The mouse's DPI state (13) and the headset's state (1) are read by the command line only to
// decide what to send; they stay out of the window. The settings change the pages' state as if
// the page had sent them.
bool isReadBeforeSending(const QVariantMap& command)
{
    const int control = readInt(command, QStringLiteral("Control"));
    const int runFunction = readInt(command, QStringLiteral("runFunction"));
    return (control == 2 && runFunction == 13) || (control == 3 && runFunction == 1);
}

} // namespace

QVariantMap TALVORIN::runPrivateCommand(const QVariantMap& command, bool publish)
{
    const int control = readInt(command, QStringLiteral("Control"), -1);
    // Only the device branches: the others belong to the window's own flow.
    if (control < 1 || control > 3)
        return {{QStringLiteral("RESULTS"), -1}};
    CommandSlot privateSlot;
    privateSlot.replace(command);
    const CommandSlot::Taken taken = privateSlot.take();
    WorkerContext ctx{privateSlot, taken.generation, taken.command, m_answer, m_state, m_store,
                      [this, publish](const QVariantMap& answer) {
                          if (!publish)
                              return;
                          // Marked, so that the window does not take it for the answer to a
                          // command of its own that is still waiting.
                          QVariantMap shown = answer;
                          shown.insert(QStringLiteral("privateCommand"), 1);
                          emitAnswer(shown);
                      }};
    dispatch(control, ctx);
    return m_answer;
}

DeviceMaps TALVORIN::discoverDevices()
{
    return {m_gpu.get_GPUDevicesInfo(), m_mouse.get_hid_devices_info(), m_headphone.get_Headphone_Devices()};
}

quint64 TALVORIN::queueCommandLine(const CommandLineRequest& request)
{
    const quint64 id = m_commandLines.push(request);
    m_wake.raise();
    return id;
}

void TALVORIN::takeCommandLineRequest()
{
    CommandLineQueue::Entry entry;
    if (!m_commandLines.tryTake(entry))
        return;
    // Another request may wait: the next turn comes without a sleep and looks.
    m_wake.raise();
    const CommandLineResult result = runCommandLine(entry.request);
    emit commandLineDone(entry.id, result.status, result.output);
}

CommandLineResult TALVORIN::runCommandLine(const CommandLineRequest& request)
{
    qDebug() << "run() TALVORIN for the command line";
    CommandLineServices services;
    services.discover = [this] { return discoverDevices(); };
    services.runCommand = [this](const QVariantMap& command) {
        return runPrivateCommand(command, !isReadBeforeSending(command));
    };
    services.exportSettings = [this](const QString& path, const DeviceMaps& devices, QString* message) {
        return settingsTransfer().exportTo(path, devices, message);
    };
    services.importSettings = [this](const QString& path, const DeviceMaps& devices, QString* message) {
        return settingsTransfer().importFrom(path, devices, message);
    };
    return CommandLineRunner(services).run(request);
}

SettingsTransfer TALVORIN::settingsTransfer()
{
    return SettingsTransfer(
        m_store, [this](const QVariantMap& command) { return runPrivateCommand(command, true); },
        [this] {
            // The linked games live in memory too; take up the imported list.
            GameMap games;
            if (m_games.loadGameMapFromJson(m_store.userGameMap(), games))
                m_state.linkedGames = games;
        });
}

void TALVORIN::runAllDevicesLightingCommand(WorkerContext& ctx)
{
    qDebug() << "run() TALVORIN for All devices lighting";
    // The pages' own answers stay out of the window: the home page reads the one answer below.
    const QVariantMap answer = runAllDevicesLighting(ctx.command, discoverDevices(), [this](const QVariantMap& command) {
        return runPrivateCommand(command, false);
    });
    ctx.answer = answer;
    ctx.publish();
    ctx.finish();
}

void TALVORIN::runSettingsFileCommand(int control, WorkerContext& ctx)
{
    qDebug() << "run() TALVORIN for the settings file";
    QString path = readString(ctx.command, QStringLiteral("filePath"));
    if (path.startsWith(QLatin1String("file:")))
        path = QUrl(path).toLocalFile();
    QString message;
    bool done = false;
    if (path.isEmpty()) {
        message = QStringLiteral("No file was chosen.");
    } else {
        const DeviceMaps devices = discoverDevices();
        done = control == 20 ? settingsTransfer().exportTo(path, devices, &message)
                             : settingsTransfer().importFrom(path, devices, &message);
    }
    ctx.answer.clear();
    ctx.answer.insert(QStringLiteral("Control"), control);
    ctx.answer.insert(QStringLiteral("RESULTS"), done ? 1 : -1);
    ctx.answer.insert(QStringLiteral("message"), message);
    ctx.publish();
    ctx.finish();
}
