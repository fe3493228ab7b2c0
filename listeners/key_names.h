#pragma once
// The names under which recorded macro keys are stored, by Windows virtual-key code.
#include <QString>

// The key's name ("A", "F5", "Ctrl", "[" ...), or an empty string for a key that macros
// cannot hold.
QString keyName(int virtualKey);
