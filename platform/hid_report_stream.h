#pragma once
// The input reports of one HID device node, read straight from the OS so that a thread can
// sleep on them together with a wake signal (hidapi offers only reads with a time-out).
// Every open stream receives its own copy of each report the device sends from then on.
#include "platform/wake_signal.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace platform {

class HidReportStream {
public:
    HidReportStream() = default;
    ~HidReportStream();
    HidReportStream(const HidReportStream&) = delete;
    HidReportStream& operator=(const HidReportStream&) = delete;

    bool open(const QByteArray& path);
    bool isOpen() const { return m_descriptor >= 0; }
    // Sleeps until a report arrives or `wake` is raised: bytes read, 0 when woken, -1 on error.
    int readUntilWoken(uint8_t* data, size_t length, const WakeSignal& wake);

private:
    int m_descriptor = -1;
};

} // namespace platform
