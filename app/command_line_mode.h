#pragma once
// `talvorin` with command-line options: handed to the running instance when there is one,
// otherwise run here without a window. Returns the exit status.
int runCommandLineMode(int argc, char* argv[]);
