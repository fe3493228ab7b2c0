#include "devices/mouse/hid_transport.h"

#include "util/logging.h"
#include "util/numbers.h"

#include <QDebug>
#include <QStringList>
#include <QThread>
#include <exception>

namespace {

constexpr int kAnswerAttempts = 3;
constexpr int kAnswerTimeoutMs = 100;
constexpr int kAnswerRetryPauseMs = 10;
constexpr int kDrainTimeoutMs = 1;
// A device that never stops sending must not hold the worker forever: past this many stale
// reports the drain gives up and the exchange goes on.
constexpr int kDrainLimit = 256;

bool isEmptyPath(const char* devpath)
{
    return !devpath || devpath[0] == '\0';
}

// Closes the device however the exchange ends.
class OpenDevice {
public:
    OpenDevice(HidBackend* backend, const char* path) : m_backend(backend), m_device(backend ? backend->open(path) : nullptr) {}
    ~OpenDevice()
    {
        if (m_device)
            m_backend->close(m_device);
    }
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    HidDevice* get() const { return m_device; }

private:
    HidBackend* m_backend;
    HidDevice* m_device;
};

} // namespace

std::mutex& hidTransactionLock()
{
    static std::mutex lock;
    return lock;
}

QStringList hexDumpLines(const QByteArray& bytes, int count)
{
    QStringList lines;
    count = qMin(count, bytes.size());
    for (int start = 0; start < count; start += 16) {
        const int n = qMin(16, count - start);
        lines << hexReportText(reinterpret_cast<const uint8_t*>(bytes.constData()) + start, n).trimmed();
    }
    return lines;
}

HidTransport::HidTransport(std::shared_ptr<HidBackend> backend) : m_backend(std::move(backend)) {}

HidAnswer HidTransport::transact(uint16_t, uint16_t, uint16_t, uint16_t, const char* devpath,
                                 const HidReport& request, const QString& commandName)
{
    HidAnswer answer;
    if (isEmptyPath(devpath)) {
        qCritical() << "Error: devpath empty.";
        return answer;
    }
    std::lock_guard<std::mutex> transaction(hidTransactionLock());
    OpenDevice device(m_backend.get(), devpath);
    if (!device.get()) {
        qCritical() << "Error: could not open device";
        return answer;
    }
    writeStdout(QStringLiteral("\n\n"));
    printHexReport(request.data(), int(request.size()));
    drain(device.get());
    if (m_backend->write(device.get(), request.data(), request.size()) < 0) {
        qCritical() << "hid_write failed";
        return answer;
    }
    answer = readAnswer(device.get(), commandName);
    drain(device.get());
    return answer;
}

void HidTransport::drain(HidDevice* device)
{
    uint8_t stale[256];
    for (int i = 0; i < kDrainLimit; ++i) {
        if (m_backend->readTimeout(device, stale, sizeof stale, kDrainTimeoutMs) <= 0)
            return;
    }
}

HidAnswer HidTransport::readAnswer(HidDevice* device, const QString& commandName)
{
    HidAnswer answer;
    uint8_t buffer[64];
    for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
        const int n = m_backend->readTimeout(device, buffer, sizeof buffer, kAnswerTimeoutMs);
        if (n > 0) {
            answer.length = n;
            answer.bytes.replace(0, n, reinterpret_cast<const char*>(buffer), n);
            qDebug().noquote() << "=============== return: " << n << "bytes ===============" << commandName;
            for (const QString& line : hexDumpLines(answer.bytes, n))
                qDebug().noquote() << line;
            return answer;
        }
        if (n < 0) {
            qCritical() << "hid_read error";
            return answer;
        }
        qDebug() << "HID waiting";
        QThread::msleep(kAnswerRetryPauseMs);
    }
    return answer;
}

QByteArray HidTransport::onlyReadOutput(const char* devpath)
{
    if (isEmptyPath(devpath)) {
        qCritical() << "[OnlyReadOutput] devpath is empty!";
        return QByteArray();
    }
    QByteArray buffer(64, '\0');
    HidDevice* device = m_backend ? m_backend->open(devpath) : nullptr;
    if (!device) {
        qCritical() << "[OnlyReadOutput] Failed to open device!";
        return QByteArray();
    }
    try {
        int zeros = 0;
        for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
            const int n = m_backend->read(device, reinterpret_cast<uint8_t*>(buffer.data()), size_t(buffer.size()));
            if (n > 0) {
                qDebug() << "[OnlyReadOutput] Data read completed";
                break;
            }
            if (n < 0) {
                qCritical() << "[OnlyReadOutput] Read error:" << m_backend->error(device);
                break;
            }
            qDebug() << "[OnlyReadOutput] waiting...";
            ++zeros;
        }
        if (zeros == kAnswerAttempts)
            qDebug() << "[OnlyReadOutput] Tried 3 times, exiting";
    } catch (const std::exception& e) {
        qCritical() << "[OnlyReadOutput] Exception:" << e.what();
        buffer.fill('\0');
    }
    m_backend->close(device);
    m_backend->exit();
    return buffer;
}
