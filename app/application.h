#pragma once
#include <QString>

// The whole life of the process: start-up, event loop and teardown.
int runTalvorin(int argc, char* argv[]);
// The key the single-instance guard is taken under.
QString singleInstanceKey();
