#pragma once
// Opening the desktop's own mouse settings (pointer speed, buttons, scrolling).
#include <QString>

namespace platform {

struct SettingsLaunch {
    bool started = false;
    QString program; // what was started, or tried last
    QString error;   // why nothing was started
};

// Starts the mouse settings of the desktop environment, detached, without a shell in between.
SettingsLaunch openMouseSettings();

} // namespace platform
