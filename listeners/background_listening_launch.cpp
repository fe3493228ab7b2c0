// The launch actions of the mouse's buttons: start a program, open a web address, press a key.
#include "listeners/background_listening.h"

#include "listeners/launch_settings.h"
#include "platform/key_injection.h"
#include "util/app_data.h"
#include "util/files.h"
#include "util/json_files.h"
#include "util/links.h"
#include "util/processes.h"

#include <QDebug>

void BACKGROUND_LISTENING::runLaunch(int button)
{
    const QString path = launchDataPath(appDataFolder(), m_mcuUuid, m_mouseProfile);
    if (path.isEmpty() || !fileExists(path)) {
        qDebug() << "User settings not found.";
        return;
    }
    const std::optional<LaunchSetting> setting = findLaunchSetting(launchEntries(loadJsonList(path)), button);
    if (!setting)
        return;
    qDebug() << "currentButton:" << setting->button;
    switch (setting->launch) {
    case 2:
        launchProgram(*setting);
        break;
    case 3:
        qDebug() << "=========== launch webside ===========";
        openUrlInBrowser(setting->websitePath);
        break;
    case 4:
        qDebug() << "=========== launch keyFunctionSingleKey ===========";
        qDebug() << "keyFunctionSingleKey:" << setting->singleKey;
        windowsSimulateKeyPress(virtualKeyOfSingleKey(setting->singleKey));
        break;
    default:
        qDebug() << "Unknown launch type:" << setting->launch;
        break;
    }
}

void BACKGROUND_LISTENING::launchProgram(const LaunchSetting& setting)
{
    qDebug() << "=========== launch software ===========";
    qDebug() << "software_path:" << setting.softwarePath;
    // The path is the program itself, passed on as it is: no shell reads it, so blanks,
    // quotes and the like in it are part of the name. No report is read until the program
    // ends, unless the listener is stopped first; the program then goes on by itself.
    const ProgramRun run = runProgramAndWaitWhile(setting.softwarePath, {}, [this] { return !stopRequested(); });
    if (!run.started) {
        qDebug() << "Failed to execute program." << run.errorString;
        return;
    }
    qDebug() << "Program executed successfully!";
    if (run.leftRunning)
        qDebug() << "BACKGROUND_LISTENING stopped while the program runs; it was left running";
}

void BACKGROUND_LISTENING::windowsSimulateKeyPress(ushort wVk)
{
    platform::pressAndReleaseVirtualKey(wVk);
}
