#pragma once
// A mouse whose hidraw node exists but may not be opened (no udev rule for it yet), and the
// one command that gives the logged-in user access.
#include <QString>

namespace mouse {

// True when an open failed because the user may not open the node (not because it is gone).
bool isAccessDenied(const QString& openError);

// A shell command that installs the udev rule shipped with the program and applies it to the
// devices already plugged in.
QString udevRuleInstallCommand();

} // namespace mouse
