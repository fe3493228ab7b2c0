#pragma once
// Where the headset looks for USB devices. The machine's own bus is read through the platform
// layer; the virtual headset of sim/ sits on a bus of its own behind the same call.
#include "platform/usb_devices.h"

class UsbBus {
public:
    virtual ~UsbBus() = default;
    // The devices present now; nothing when the bus cannot be read.
    virtual std::optional<QList<platform::UsbDeviceEntry>> presentDevices() const = 0;
};
