#include "sim/mouse/sim_hid_backend.h"

#include <algorithm>

namespace {

constexpr uint16_t kMakerVendor = 0x2DBF;
constexpr uint16_t kControllerVendor = 0x1FC9;
constexpr uint16_t kGenericDesktopPage = 0x0001;
constexpr uint16_t kMouseUsage = 0x0002;
constexpr uint16_t kVendorPage = 0xFF00;

struct LinkIdentity {
    uint16_t vendorId;
    uint16_t productId;
    int busType;
    int firstInterface;
    const char* product;
};

LinkIdentity identityOf(SimLink link)
{
    switch (link) {
    case SimLink::Receiver: return {kMakerVendor, 0x5036, 1, 0, "ORVENA 2.4G Receiver"};
    case SimLink::Cable: return {kMakerVendor, 0x5038, 1, 0, "ORVENA RM20 Wireless Gaming Mouse"};
    case SimLink::Bluetooth: return {kMakerVendor, 0x5039, 2, -1, "ORVENA RM20"};
    case SimLink::UpdateDongle: return {kMakerVendor, 0x5037, 1, 0, "ORVENA Receiver Update"};
    case SimLink::UpdateMouse: return {kControllerVendor, 0x0021, 1, 0, "ORVENA RM20 Update"};
    case SimLink::Foreign: break;
    }
    return {0, 0, 1, 0, "Vendor Device"};
}

} // namespace

class SimHidBackend::Handle : public HidDevice {
public:
    Handle(int device, bool vendor) : device(device), vendor(vendor) {}
    struct Queued {
        std::vector<uint8_t> bytes;
        Clock::time_point visibleAt;
    };
    int device;
    bool vendor;
    std::deque<Queued> queue;
    bool failNextRead = false;
    QString error;
    // Raised whenever something happens that a read of this handle may be waiting for.
    platform::WakeSignal arrivals;
};

SimHidBackend::SimHidBackend()
{
    m_mice.emplace_back();
}

SimHidBackend::~SimHidBackend()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closing = true;
        raiseArrivals();
    }
    m_arrived.notify_all();
    // Handles a caller never closed are released with the bus.
    for (Handle* handle : m_open)
        delete handle;
}

int SimHidBackend::addMouse(SimFirmwareState state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mice.emplace_back(std::move(state));
    return int(m_mice.size()) - 1;
}

int SimHidBackend::addDevice(Device device)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    device.mousePath = "sim-hidraw" + std::to_string(m_nextNode++);
    device.vendorPath = "sim-hidraw" + std::to_string(m_nextNode++);
    m_devices.push_back(std::move(device));
    return int(m_devices.size()) - 1;
}

int SimHidBackend::attach(SimLink link, int mouse)
{
    const LinkIdentity id = identityOf(link);
    Device device;
    device.link = link;
    device.mouse = mouse;
    device.vendorId = id.vendorId;
    device.productId = id.productId;
    device.busType = id.busType;
    device.firstInterfaceNumber = id.firstInterface;
    device.manufacturer = QStringLiteral("Belvarinth");
    device.product = QString::fromLatin1(id.product);
    if (link == SimLink::Cable || link == SimLink::Bluetooth)
        device.serial = QStringLiteral("RM20A%1").arg(mouse, 7, 10, QLatin1Char('0'));
    return addDevice(std::move(device));
}

int SimHidBackend::attachForeign(uint16_t vendorId, uint16_t productId)
{
    Device device;
    device.link = SimLink::Foreign;
    device.vendorId = vendorId;
    device.productId = productId;
    device.manufacturer = QStringLiteral("Another Maker");
    device.product = QStringLiteral("Vendor Device");
    return addDevice(std::move(device));
}

SimHidBackend::Device& SimHidBackend::deviceAt(int device)
{
    return m_devices.at(size_t(device));
}

const SimHidBackend::Device& SimHidBackend::deviceAt(int device) const
{
    return m_devices.at(size_t(device));
}

void SimHidBackend::unplug(int device)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        deviceAt(device).plugged = false;
        raiseArrivals();
    }
    m_arrived.notify_all();
}

void SimHidBackend::replug(int device)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Device& d = deviceAt(device);
    d.plugged = true;
    d.unplugPending = false;
}

void SimHidBackend::setMouseLinked(int device, bool linked)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    deviceAt(device).mouseLinked = linked;
}

std::string SimHidBackend::vendorPath(int device) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return deviceAt(device).vendorPath;
}

std::string SimHidBackend::mousePath(int device) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return deviceAt(device).mousePath;
}

SimFirmwareState SimHidBackend::firmwareState(int mouse) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mice.at(size_t(mouse)).state();
}

void SimHidBackend::modifyFirmware(const std::function<void(SimFirmwareState&)>& change, int mouse)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    change(m_mice.at(size_t(mouse)).state());
}

void SimHidBackend::powerCycle(int mouse)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mice.at(size_t(mouse)).powerCycle();
}

void SimHidBackend::queueAnswerFault(int device, SimAnswerFault fault, int count, int shortLength)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < count; ++i)
        deviceAt(device).faults.push_back({fault, shortLength});
}

void SimHidBackend::failNextOpens(int device, int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    deviceAt(device).failOpens += count;
}

void SimHidBackend::failNextWrites(int device, int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    deviceAt(device).failWrites += count;
}

void SimHidBackend::unplugAfterExchanges(int device, int exchanges)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    deviceAt(device).unplugAfter = exchanges;
}

void SimHidBackend::setAnswerDelay(int milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_answerDelayMs = milliseconds;
}

void SimHidBackend::setInitFails(bool fails)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_initFails = fails;
}

void SimHidBackend::deliver(int device, const std::vector<uint8_t>& report, bool holdIfUnheard)
{
    const Clock::time_point visibleAt = Clock::now() + std::chrono::milliseconds(m_answerDelayMs);
    bool heard = false;
    for (Handle* handle : m_open) {
        if (handle->device == device && handle->vendor) {
            handle->queue.push_back({report, visibleAt});
            heard = true;
        }
    }
    if (!heard && holdIfUnheard)
        deviceAt(device).held.push_back(report);
    raiseArrivals();
    m_arrived.notify_all();
}

void SimHidBackend::raiseArrivals()
{
    for (Handle* handle : m_open)
        handle->arrivals.raise();
}

void SimHidBackend::queueInputReport(int device, const std::vector<uint8_t>& report)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    deliver(device, report, true);
}

void SimHidBackend::queueStaleReports(int device, int count)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Device& d = deviceAt(device);
    for (int i = 0; i < count; ++i) {
        // What a stale answer looks like: a valid read answer of an earlier exchange.
        std::vector<uint8_t> stale(64, 0);
        stale[0] = 0xC0;
        stale[1] = 0x0A;
        stale[2] = 0x09;
        stale[5] = uint8_t(i);
        d.held.push_back(stale);
    }
}

void SimHidBackend::sendBatteryNotification(int device, uint8_t percent, uint8_t charging)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    MouseFirmware& mouse = m_mice.at(size_t(deviceAt(device).mouse));
    mouse.state().batteryPercent = percent;
    mouse.state().charging = charging;
    const SimReport report = mouse.batteryReport();
    deliver(device, std::vector<uint8_t>(report.begin(), report.end()), true);
}

void SimHidBackend::sendButtonEvent(int device, int position, uint8_t code)
{
    const SimReport report = MouseFirmware::buttonEventReport(position, code);
    std::lock_guard<std::mutex> lock(m_mutex);
    deliver(device, std::vector<uint8_t>(report.begin(), report.end()), true);
}

void SimHidBackend::sendErrorReport(int device)
{
    const SimReport report = MouseFirmware::errorReport();
    std::lock_guard<std::mutex> lock(m_mutex);
    deliver(device, std::vector<uint8_t>(report.begin(), report.end()), true);
}

bool SimHidBackend::pressButton(int device, int button)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::optional<SimReport> report = m_mice.at(size_t(deviceAt(device).mouse)).pressButton(button);
    if (!report)
        return false;
    deliver(device, std::vector<uint8_t>(report->begin(), report->end()), true);
    return true;
}

std::vector<std::vector<uint8_t>> SimHidBackend::writes(int device) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return deviceAt(device).writes;
}

int SimHidBackend::ordinaryInterfaceWrites(int device) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return deviceAt(device).ordinaryWrites;
}

void SimHidBackend::clearWrites()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Device& device : m_devices) {
        device.writes.clear();
        device.ordinaryWrites = 0;
    }
}

int SimHidBackend::openHandles() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_open.size());
}

int SimHidBackend::exitCalls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_exitCalls;
}

int SimHidBackend::init()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_initFails) {
        m_lastError = QStringLiteral("hid_init failed (simulated)");
        return -1;
    }
    return 0;
}

std::vector<HidDeviceInfo> SimHidBackend::enumerate(uint16_t vendorId, uint16_t productId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<HidDeviceInfo> list;
    for (const Device& device : m_devices) {
        if (!device.plugged || (vendorId && device.vendorId != vendorId) || (productId && device.productId != productId))
            continue;
        HidDeviceInfo info;
        info.vendorId = device.vendorId;
        info.productId = device.productId;
        info.serialNumber = device.serial;
        info.releaseNumber = 0x0100;
        info.manufacturer = device.manufacturer;
        info.product = device.product;
        info.busType = device.busType;

        info.path = device.mousePath;
        info.usagePage = kGenericDesktopPage;
        info.usage = kMouseUsage;
        info.interfaceNumber = device.firstInterfaceNumber;
        list.push_back(info);

        info.path = device.vendorPath;
        info.usagePage = kVendorPage;
        info.usage = 0x0001;
        info.interfaceNumber = device.firstInterfaceNumber < 0 ? -1 : device.firstInterfaceNumber + 1;
        list.push_back(info);
    }
    return list;
}

HidDevice* SimHidBackend::open(const char* path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string wanted = path ? path : "";
    for (size_t i = 0; i < m_devices.size(); ++i) {
        Device& device = m_devices[i];
        const bool vendor = device.vendorPath == wanted;
        if (!vendor && device.mousePath != wanted)
            continue;
        if (!device.plugged) {
            m_lastError = QStringLiteral("No such device: %1").arg(QString::fromStdString(wanted));
            return nullptr;
        }
        if (device.failOpens > 0) {
            --device.failOpens;
            m_lastError = QStringLiteral("Permission denied: %1").arg(QString::fromStdString(wanted));
            return nullptr;
        }
        auto* handle = new Handle(int(i), vendor);
        if (vendor) {
            for (const std::vector<uint8_t>& report : device.held)
                handle->queue.push_back({report, Clock::now()});
            device.held.clear();
        }
        m_open.push_back(handle);
        return handle;
    }
    m_lastError = QStringLiteral("No such device: %1").arg(QString::fromStdString(wanted));
    return nullptr;
}

int SimHidBackend::write(HidDevice* hidDevice, const uint8_t* data, size_t length)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto* handle = static_cast<Handle*>(hidDevice);
    if (!handle || !data)
        return -1;
    Device& device = deviceAt(handle->device);
    if (!device.plugged) {
        handle->error = QStringLiteral("Device disconnected");
        return -1;
    }
    if (!handle->vendor) {
        ++device.ordinaryWrites;
        handle->error = QStringLiteral("The interface has no output report");
        return -1;
    }
    if (device.failWrites > 0) {
        --device.failWrites;
        handle->error = QStringLiteral("Broken pipe");
        return -1;
    }
    device.writes.emplace_back(data, data + length);
    std::optional<SimReport> answer = answerFor(device, data, length);
    std::vector<uint8_t> bytes;
    if (answer)
        bytes.assign(answer->begin(), answer->end());
    applyFault(device, *handle, answer, bytes);
    if (answer)
        deliver(handle->device, bytes, false);
    if (device.unplugAfter > 0 && --device.unplugAfter == 0)
        device.unplugPending = true;
    return int(length);
}

// Behind the receiver and the cable the report starts with report id 0; over Bluetooth the
// frame's first byte is the report id. Update modes and other makers' devices stay silent.
std::optional<SimReport> SimHidBackend::answerFor(Device& device, const uint8_t* data, size_t length)
{
    const uint8_t* frame = data;
    size_t frameLength = length;
    switch (device.link) {
    case SimLink::Receiver:
    case SimLink::Cable:
        if (length < 1 || data[0] != 0x00)
            return std::nullopt;
        frame = data + 1;
        frameLength = length - 1;
        break;
    case SimLink::Bluetooth: break;
    case SimLink::UpdateDongle:
    case SimLink::UpdateMouse:
    case SimLink::Foreign: return std::nullopt;
    }
    if (device.link == SimLink::Receiver && !device.mouseLinked) {
        if (frameLength < 4 || (frame[0] != 0x40 && frame[0] != 0xC0))
            return std::nullopt;
        SimReport answer{};
        std::copy(frame, frame + 4, answer.begin());
        answer[4] = 0xFF;
        answer[5] = 0xFA;
        return answer;
    }
    return m_mice.at(size_t(device.mouse)).handle(frame, frameLength);
}

void SimHidBackend::applyFault(Device& device, Handle& writer, std::optional<SimReport>& answer,
                               std::vector<uint8_t>& bytes)
{
    if (device.faults.empty())
        return;
    const PendingFault pending = device.faults.front();
    device.faults.pop_front();
    switch (pending.fault) {
    case SimAnswerFault::None: break;
    case SimAnswerFault::NoAnswer: answer.reset(); break;
    case SimAnswerFault::ShortAnswer:
        if (int(bytes.size()) > pending.shortLength)
            bytes.resize(size_t(std::max(0, pending.shortLength)));
        break;
    case SimAnswerFault::WrongEcho:
        if (bytes.size() > 1)
            bytes[1] = uint8_t(bytes[1] + 1);
        break;
    case SimAnswerFault::BusyMarker:
        if (bytes.size() > 5)
            bytes[5] = 0xFA;
        break;
    case SimAnswerFault::NoMouseMarker:
        if (bytes.size() > 4)
            bytes[4] = 0xFF;
        break;
    case SimAnswerFault::ReadError:
        answer.reset();
        writer.failNextRead = true;
        break;
    }
    if (answer && bytes.empty())
        answer.reset();
}

int SimHidBackend::readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds)
{
    if (milliseconds < 0)
        return readUntil(device, data, length, std::nullopt);
    return readUntil(device, data, length, Clock::now() + std::chrono::milliseconds(milliseconds));
}

int SimHidBackend::read(HidDevice* device, uint8_t* data, size_t length)
{
    return readUntil(device, data, length, std::nullopt);
}

int SimHidBackend::takeReport(Handle& handle, uint8_t* data, size_t length, Clock::time_point* nextVisible)
{
    if (handle.failNextRead) {
        handle.failNextRead = false;
        handle.error = QStringLiteral("Input/output error");
        return -1;
    }
    if (m_closing || !deviceAt(handle.device).plugged) {
        handle.error = QStringLiteral("Device disconnected");
        return -1;
    }
    if (handle.queue.empty())
        return 0;
    if (handle.queue.front().visibleAt > Clock::now()) {
        *nextVisible = handle.queue.front().visibleAt;
        return 0;
    }
    const std::vector<uint8_t> report = std::move(handle.queue.front().bytes);
    handle.queue.pop_front();
    const size_t n = std::min(length, report.size());
    std::copy(report.begin(), report.begin() + long(n), data);
    return int(n);
}

int SimHidBackend::readUntil(HidDevice* hidDevice, uint8_t* data, size_t length, std::optional<Clock::time_point> deadline)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto* handle = static_cast<Handle*>(hidDevice);
    if (!handle || !data)
        return -1;
    for (;;) {
        Clock::time_point nextVisible = Clock::time_point::max();
        const int n = takeReport(*handle, data, length, &nextVisible);
        if (n != 0)
            return n;
        const Clock::time_point now = Clock::now();
        if (deadline && now >= *deadline)
            return 0;
        std::optional<Clock::time_point> wake = deadline;
        if (nextVisible != Clock::time_point::max() && (!wake || nextVisible < *wake))
            wake = nextVisible;
        if (wake)
            m_arrived.wait_until(lock, *wake);
        else
            m_arrived.wait(lock);
    }
}

int SimHidBackend::readUntilWoken(HidDevice* hidDevice, uint8_t* data, size_t length, const platform::WakeSignal& wake)
{
    auto* handle = static_cast<Handle*>(hidDevice);
    if (!handle || !data)
        return -1;
    for (;;) {
        int waitMs = -1;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // Lowered before looking, so a report delivered from here on ends the wait.
            handle->arrivals.lower();
            Clock::time_point nextVisible = Clock::time_point::max();
            const int n = takeReport(*handle, data, length, &nextVisible);
            if (n != 0)
                return n;
            if (nextVisible != Clock::time_point::max())
                waitMs = int(std::chrono::ceil<std::chrono::milliseconds>(nextVisible - Clock::now()).count());
        }
        const platform::WaitResult result = platform::waitForEvent(handle->arrivals.descriptor(), wake, std::max(waitMs, -1));
        if (result.woken && !result.sourceReady)
            return 0;
    }
}

QString SimHidBackend::error(HidDevice* hidDevice)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (hidDevice)
        return static_cast<Handle*>(hidDevice)->error;
    return m_lastError;
}

void SimHidBackend::close(HidDevice* hidDevice)
{
    auto* handle = static_cast<Handle*>(hidDevice);
    if (!handle)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open.erase(std::remove(m_open.begin(), m_open.end(), handle), m_open.end());
        Device& device = deviceAt(handle->device);
        if (device.unplugPending) {
            device.unplugPending = false;
            device.plugged = false;
        }
        delete handle;
        raiseArrivals();
    }
    m_arrived.notify_all();
}

int SimHidBackend::exit()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_exitCalls;
    return 0;
}
