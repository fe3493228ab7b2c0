#include "private_session_bus.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const char kMarker[] = "TALVORIN_TEST_PRIVATE_BUS";

} // namespace

int rerunOnPrivateSessionBus(int argc, char** argv)
{
    const char* marker = std::getenv(kMarker);
    if (marker && std::strcmp(marker, "1") == 0)
        return -1;
    setenv(kMarker, "1", 1);
    std::vector<char*> arguments = {const_cast<char*>("dbus-run-session"), const_cast<char*>("--")};
    for (int i = 0; i < argc; ++i)
        arguments.push_back(argv[i]);
    arguments.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        execvp(arguments[0], arguments.data());
        std::perror("dbus-run-session (package dbus) cannot be started");
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
