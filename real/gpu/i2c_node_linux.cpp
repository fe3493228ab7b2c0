#include "real/gpu/i2c_node.h"

#include "devices/gpu/lighting_bus_codes.h"

#include <QFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Another program's command (a few register writes 50 ms apart) is over well within this.
constexpr int kLockWaitMs = 2000;
constexpr int kLockRetryMs = 10;

ADLX_RESULT openFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return kLightingBusMissing;
    default: return kLightingBusNotAccessible;
    }
}

bool lockWithin(int fd, int waitMs)
{
    for (int waited = 0;; waited += kLockRetryMs) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK || waited >= waitMs)
            return false;
        QThread::msleep(kLockRetryMs);
    }
}

} // namespace

I2cNode::~I2cNode()
{
    if (m_fd >= 0)
        ::close(m_fd); // also gives the lock back
}

ADLX_RESULT I2cNode::open(const QString& path)
{
    if (m_fd >= 0)
        return ADLX_OK;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return openFailure(errno);
    if (!lockWithin(fd, kLockWaitMs)) {
        ::close(fd);
        return ADLX_FAIL;
    }
    m_fd = fd;
    return ADLX_OK;
}
