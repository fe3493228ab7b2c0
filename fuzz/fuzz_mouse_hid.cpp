// The mouse over the HID seam: the input describes the enumerated interfaces and then every
// answer the device gives, and discovery and the information reads run on it.
#include "devices/device_setup.h"
#include "devices/mouse/dev_mouse.h"
#include "devices/mouse/hid_backend.h"
#include "devices/mouse/key_tables.h"
#include "devices/mouse/mouse_answers.h"
#include "fuzz_support.h"

#include <QThread>
#include <memory>

// The device code paces its requests with sleeps of up to 100 ms; in this harness time passes
// at once (this definition stands in for Qt's within the fuzz program).
void QThread::msleep(unsigned long) {}

namespace {

// Interfaces: a count (0..4), then per interface vendor, product, usage page, usage (two
// bytes each) and bus type (one byte). Answers: 64 bytes each, one per written request;
// nothing pending reads as a time-out, and the end of the input as a read error.
class FuzzHidBackend : public HidBackend {
public:
    explicit FuzzHidBackend(FuzzInput& input) : m_input(input)
    {
        const int count = m_input.byte() % 5;
        for (int i = 0; i < count; ++i) {
            HidDeviceInfo info;
            info.path = "fuzz-" + std::to_string(i);
            info.vendorId = m_input.word();
            info.productId = m_input.word();
            info.usagePage = m_input.word();
            info.usage = m_input.word();
            info.busType = m_input.byte() % 5;
            m_devices.push_back(info);
        }
    }

    int init() override { return 0; }
    std::vector<HidDeviceInfo> enumerate(uint16_t, uint16_t) override { return m_devices; }
    HidDevice* open(const char*) override { return &m_device; }
    int write(HidDevice*, const uint8_t*, size_t length) override
    {
        m_pending = true;
        return int(length);
    }
    int readTimeout(HidDevice*, uint8_t* data, size_t length, int) override
    {
        if (!m_pending)
            return 0;
        m_pending = false;
        return take(data, length);
    }
    int read(HidDevice*, uint8_t* data, size_t length) override { return take(data, length); }
    int readUntilWoken(HidDevice*, uint8_t* data, size_t length, const platform::WakeSignal&) override
    {
        return take(data, length);
    }
    QString error(HidDevice*) override { return QStringLiteral("fuzz"); }
    void close(HidDevice*) override {}
    int exit() override { return 0; }

private:
    int take(uint8_t* data, size_t length)
    {
        const QByteArray answer = m_input.bytes(qMin<size_t>(64, length));
        if (answer.isEmpty())
            return -1;
        std::copy(answer.begin(), answer.end(), data);
        return answer.size();
    }

    FuzzInput& m_input;
    std::vector<HidDeviceInfo> m_devices;
    HidDevice m_device;
    bool m_pending = false;
};

void parseAsEveryAnswer(const QByteArray& bytes)
{
    static const KeyTables keys;
    QByteArray answer = bytes.left(64);
    answer.append(QByteArray(64 - answer.size(), '\0'));
    HidAnswer hid;
    hid.bytes = answer;
    hid.length = bytes.size();
    using namespace mouse;
    isAcknowledged(hid, uint8_t(bytes.isEmpty() ? 0 : bytes.at(0)));
    modelNameMatches(hid);
    decodeModelName(answer, keys);
    mcuUuidText(answer);
    parseMouseInformation(answer);
    isBatteryAnswer(answer);
    serialNumberText(answer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput whole(data, size);
    parseAsEveryAnswer(whole.bytes(64));

    FuzzInput input(data, size);
    DeviceSetup setup;
    setup.hid = std::make_shared<FuzzHidBackend>(input);
    DEV_MOUSE mouse(setup);
    const QVariantMap found = mouse.get_hid_devices_info();
    const QByteArray path = found.value(QStringLiteral("devpath")).toString().toUtf8();
    if (!path.isEmpty()) {
        mouse.Get_Current_Mouse_Info(path.constData());
        mouse.Get_CurrentMouse_ARGB_Info(path.constData());
    }
    return 0;
}
