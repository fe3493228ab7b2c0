#include "platform/standard_output.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

int takeStandardOutputForResults()
{
    std::fflush(stdout);
    const int results = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    if (results < 0)
        return STDOUT_FILENO;
    if (::dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        ::close(results);
        return STDOUT_FILENO;
    }
    return results;
}

} // namespace platform
