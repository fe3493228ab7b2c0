#include "platform/hid_report_stream.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

HidReportStream::~HidReportStream()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool HidReportStream::open(const QByteArray& path)
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    return m_descriptor >= 0;
}

int HidReportStream::readUntilWoken(uint8_t* data, size_t length, const WakeSignal& wake)
{
    if (m_descriptor < 0 || !data)
        return -1;
    for (;;) {
        // hidraw hands over one whole report per read.
        const ssize_t n = ::read(m_descriptor, data, length);
        if (n > 0)
            return int(n);
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            return -1;
        const WaitResult result = waitForEvent(m_descriptor, wake);
        if (result.woken && !result.sourceReady)
            return 0;
    }
}

} // namespace platform
