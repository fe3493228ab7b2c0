#include "platform/instance_lock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

InstanceLock::InstanceLock(const QString& path) : m_path(path) {}

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing drops the lock
}

InstanceLock::Outcome InstanceLock::tryLock()
{
    if (m_fd < 0)
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (m_fd < 0)
        return Outcome::Unavailable;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return Outcome::Acquired;
    return errno == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::Unavailable;
}

} // namespace platform
