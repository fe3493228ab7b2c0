#pragma once
// The whole life of the process: start-up, event loop and teardown.
int runTalvorin(int argc, char* argv[]);
