#include "platform/desktop_settings.h"

#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace platform {

namespace {

struct SettingsTool {
    const char* desktop; // matched against XDG_CURRENT_DESKTOP (case-insensitive)
    const char* program;
    QStringList arguments;
};

// The mouse page of each desktop's settings program. The running desktop's tool is tried
// first; any other one found on PATH still beats having none.
QList<SettingsTool> settingsTools()
{
    return {
        {"GNOME", "gnome-control-center", {QStringLiteral("mouse")}},
        {"KDE", "systemsettings", {QStringLiteral("kcm_mouse")}},
        {"KDE", "systemsettings5", {QStringLiteral("kcm_mouse")}},
        {"XFCE", "xfce4-mouse-settings", {}},
        {"X-Cinnamon", "cinnamon-settings", {QStringLiteral("mouse")}},
        {"MATE", "mate-mouse-properties", {}},
        {"LXQt", "lxqt-config-input", {}},
    };
}

QList<SettingsTool> inPreferredOrder(const QList<SettingsTool>& tools)
{
    const QString desktops = QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP"));
    QList<SettingsTool> preferred;
    QList<SettingsTool> others;
    for (const SettingsTool& tool : tools) {
        const bool running = desktops.split(QLatin1Char(':')).contains(QLatin1String(tool.desktop), Qt::CaseInsensitive);
        (running ? preferred : others).append(tool);
    }
    return preferred + others;
}

} // namespace

SettingsLaunch openMouseSettings()
{
    SettingsLaunch launch;
    for (const SettingsTool& tool : inPreferredOrder(settingsTools())) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(tool.program));
        if (program.isEmpty())
            continue;
        launch.program = program;
        if (QProcess::startDetached(program, tool.arguments)) {
            launch.started = true;
            launch.error.clear();
            return launch;
        }
        launch.error = QStringLiteral("could not start ") + program;
    }
    if (launch.program.isEmpty())
        launch.error = QStringLiteral("no mouse settings program of a desktop environment was found on PATH");
    return launch;
}

} // namespace platform
