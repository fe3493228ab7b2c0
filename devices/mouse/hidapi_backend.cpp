#include "devices/mouse/hidapi_backend.h"

#include "devices/mouse/hidapi_library.h"
#include "platform/hid_paths.h"
#include "platform/hid_report_stream.h"

#include <memory>

namespace {

class HidapiDevice : public HidDevice {
public:
    hid_device* handle = nullptr;
    // The same reports as the handle, for a read that sleeps until woken. Opened before the
    // handle, so it has every report the handle has.
    platform::HidReportStream reports;
};

hid_device* handleOf(HidDevice* device)
{
    return device ? static_cast<HidapiDevice*>(device)->handle : nullptr;
}

QString fromWide(const wchar_t* text)
{
    return text ? QString::fromWCharArray(text) : QString();
}

HidDeviceInfo copyInfo(const hid_device_info& info)
{
    HidDeviceInfo copy;
    copy.path = info.path ? info.path : "";
    copy.vendorId = info.vendor_id;
    copy.productId = info.product_id;
    copy.serialNumber = fromWide(info.serial_number);
    copy.releaseNumber = info.release_number;
    copy.manufacturer = fromWide(info.manufacturer_string);
    copy.product = fromWide(info.product_string);
    copy.usagePage = info.usage_page;
    copy.usage = info.usage;
    copy.interfaceNumber = info.interface_number;
    copy.busType = int(info.bus_type);
    return copy;
}

} // namespace

bool HidapiBackend::useLibrary()
{
    if (!libhidapi().ready())
        return false;
    m_used = true;
    return true;
}

HidapiBackend::~HidapiBackend()
{
    std::lock_guard<std::mutex> lock(m_libraryLock);
    if (m_openHandles == 0 && m_used)
        libhidapi().exit();
}

int HidapiBackend::init()
{
    std::lock_guard<std::mutex> lock(m_libraryLock);
    m_exitPending = false;
    if (!useLibrary())
        return -1;
    return libhidapi().init();
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate(uint16_t vendorId, uint16_t productId)
{
    std::lock_guard<std::mutex> lock(m_libraryLock);
    std::vector<HidDeviceInfo> devices;
    if (!useLibrary())
        return devices;
    hid_device_info* list = libhidapi().enumerate(vendorId, productId);
    for (const hid_device_info* info = list; info; info = info->next)
        devices.push_back(copyInfo(*info));
    libhidapi().free_enumeration(list);
    return devices;
}

HidDevice* HidapiBackend::open(const char* path)
{
    std::lock_guard<std::mutex> lock(m_libraryLock);
    if (!path || !platform::isHidDevicePath(QByteArray(path)) || !useLibrary())
        return nullptr;
    auto device = std::make_unique<HidapiDevice>();
    device->reports.open(QByteArray(path));
    device->handle = libhidapi().open_path(path);
    if (!device->handle)
        return nullptr;
    ++m_openHandles;
    return device.release();
}

int HidapiBackend::write(HidDevice* device, const uint8_t* data, size_t length)
{
    hid_device* handle = handleOf(device);
    return handle ? libhidapi().write(handle, data, length) : -1;
}

int HidapiBackend::readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds)
{
    hid_device* handle = handleOf(device);
    return handle ? libhidapi().read_timeout(handle, data, length, milliseconds) : -1;
}

int HidapiBackend::read(HidDevice* device, uint8_t* data, size_t length)
{
    hid_device* handle = handleOf(device);
    return handle ? libhidapi().read(handle, data, length) : -1;
}

int HidapiBackend::readUntilWoken(HidDevice* device, uint8_t* data, size_t length, const platform::WakeSignal& wake)
{
    if (!handleOf(device))
        return -1;
    auto* hidapiDevice = static_cast<HidapiDevice*>(device);
    if (hidapiDevice->reports.isOpen())
        return hidapiDevice->reports.readUntilWoken(data, length, wake);
    // A node the second reader could not open: hidapi's own read, and the caller looks for
    // its wake-up once a second.
    return libhidapi().read_timeout(hidapiDevice->handle, data, length, 1000);
}

QString HidapiBackend::error(HidDevice* device)
{
    if (device)
        return fromWide(libhidapi().error(handleOf(device)));
    std::lock_guard<std::mutex> lock(m_libraryLock);
    if (!libhidapi().ready())
        return libhidapi().loadError;
    return fromWide(libhidapi().error(nullptr));
}

void HidapiBackend::close(HidDevice* device)
{
    if (!device)
        return;
    libhidapi().close(handleOf(device));
    delete device;
    std::lock_guard<std::mutex> lock(m_libraryLock);
    --m_openHandles;
    if (m_openHandles == 0 && m_exitPending) {
        m_exitPending = false;
        libhidapi().exit();
    }
}

int HidapiBackend::exit()
{
    std::lock_guard<std::mutex> lock(m_libraryLock);
    if (m_openHandles > 0) {
        m_exitPending = true;
        return 0;
    }
    return m_used ? libhidapi().exit() : 0;
}
