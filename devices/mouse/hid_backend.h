#pragma once
// The HID calls the mouse code makes, one method per hidapi function it uses. The real backend
// forwards them to hidapi (hidraw); the firmware simulator of sim/mouse answers them itself.
// Locks, retries, drains and logging live above this seam, in the transport.
//
// A backend is shared by the worker (commands) and the background listener (notifications),
// which call it from their own threads: every implementation is thread-safe. A handle is used
// by the thread that opened it only.
#include "platform/wake_signal.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One enumerated HID interface (hidapi's struct hid_device_info, copied).
struct HidDeviceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    QString serialNumber;
    uint16_t releaseNumber = 0;
    QString manufacturer;
    QString product;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    int interfaceNumber = -1;
    int busType = 0; // hidapi's hid_bus_type: 0 unknown, 1 USB, 2 Bluetooth, 3 I2C, 4 SPI
};

// An open device; each backend derives its own handle type from it.
class HidDevice {
public:
    virtual ~HidDevice() = default;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // hid_init: 0 on success, -1 on failure.
    virtual int init() = 0;
    // hid_enumerate followed by hid_free_enumeration: vendor and product 0 match every device.
    virtual std::vector<HidDeviceInfo> enumerate(uint16_t vendorId, uint16_t productId) = 0;
    // hid_open_path: nullptr on failure.
    virtual HidDevice* open(const char* path) = 0;
    // hid_write: bytes written, or -1.
    virtual int write(HidDevice* device, const uint8_t* data, size_t length) = 0;
    // hid_read_timeout: bytes read, 0 when nothing arrived in time, -1 on error.
    virtual int readTimeout(HidDevice* device, uint8_t* data, size_t length, int milliseconds) = 0;
    // hid_read: blocks until a report arrives; bytes read, or -1.
    virtual int read(HidDevice* device, uint8_t* data, size_t length) = 0;
    // Like read(), but sleeps only until `wake` is raised, if that comes first: bytes read, 0
    // when woken, -1 on error. A handle is read either this way or with the two above.
    virtual int readUntilWoken(HidDevice* device, uint8_t* data, size_t length, const platform::WakeSignal& wake) = 0;
    // hid_error: the last error of a device, or of the library when device is nullptr.
    virtual QString error(HidDevice* device) = 0;
    // hid_close: the handle is gone afterwards.
    virtual void close(HidDevice* device) = 0;
    // hid_exit: 0 on success.
    virtual int exit() = 0;
};
