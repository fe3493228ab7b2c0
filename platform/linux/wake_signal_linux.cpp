#include "platform/wake_signal.h"

#include <QDebug>

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace platform {

WakeSignal::WakeSignal() : m_descriptor(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
    if (m_descriptor < 0)
        qWarning() << "WakeSignal: eventfd failed, errno" << errno;
}

WakeSignal::~WakeSignal()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void WakeSignal::raise() const
{
    if (m_descriptor < 0)
        return;
    const uint64_t one = 1;
    // A full counter (never in practice) is raised already.
    [[maybe_unused]] const ssize_t written = ::write(m_descriptor, &one, sizeof one);
}

bool WakeSignal::lower() const
{
    if (m_descriptor < 0)
        return false;
    uint64_t count = 0;
    return ::read(m_descriptor, &count, sizeof count) == ssize_t(sizeof count) && count > 0;
}

WaitResult waitForEvent(int sourceDescriptor, const WakeSignal& wake, int timeoutMs)
{
    pollfd fds[2] = {};
    nfds_t count = 0;
    int sourceIndex = -1;
    int wakeIndex = -1;
    if (sourceDescriptor >= 0) {
        sourceIndex = int(count);
        fds[count++] = pollfd{sourceDescriptor, POLLIN, 0};
    }
    if (wake.descriptor() >= 0) {
        wakeIndex = int(count);
        fds[count++] = pollfd{wake.descriptor(), POLLIN, 0};
    }
    int ready = 0;
    do {
        ready = ::poll(fds, count, timeoutMs);
    } while (ready < 0 && errno == EINTR);
    WaitResult result;
    if (ready <= 0)
        return result;
    // A hang-up or error of the source counts as "ready": the read that follows reports it.
    if (sourceIndex >= 0 && fds[sourceIndex].revents != 0)
        result.sourceReady = true;
    if (wakeIndex >= 0 && (fds[wakeIndex].revents & POLLIN))
        result.woken = true;
    return result;
}

} // namespace platform
