#pragma once
// One request/answer exchange with the mouse, its receiver or its Bluetooth link: open the
// path, drain, write the 65-byte output report, read the answer, drain, close. Every exchange
// of the process holds one transaction lock, so two exchanges never interleave.
#include "devices/mouse/hid_backend.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>
#include <mutex>

using HidReport = std::array<uint8_t, 65>;

// The answer of one exchange: always 64 bytes (zeros past what was read) and the number of
// bytes actually read (0 when nothing could be read).
struct HidAnswer {
    QByteArray bytes = QByteArray(64, '\0');
    int length = 0;
};

// The process-wide HID transaction lock.
std::mutex& hidTransactionLock();

class HidTransport {
public:
    explicit HidTransport(std::shared_ptr<HidBackend> backend);

    // One exchange. The identity arguments travel with every call for the log's sake; the
    // device is opened by devpath.
    HidAnswer transact(uint16_t vendorId, uint16_t productId, uint16_t usagePage, uint16_t usage,
                       const char* devpath, const HidReport& request, const QString& commandName);
    // Opens the path and waits (blocking reads, at most three) for one unsolicited report.
    // An empty array when the path is empty or cannot be opened.
    QByteArray onlyReadOutput(const char* devpath);

    HidBackend* backend() const { return m_backend.get(); }

private:
    void drain(HidDevice* device);
    HidAnswer readAnswer(HidDevice* device, const QString& commandName);

    std::shared_ptr<HidBackend> m_backend;
};

// The answer bytes as log lines of 16 upper-case hexadecimal bytes.
QStringList hexDumpLines(const QByteArray& bytes, int count);
