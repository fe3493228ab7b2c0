#pragma once
// A USB bus of our own: the devices plugged into it are the ones the headset code finds.
#include "devices/headset/usb_bus.h"

#include <QMutex>

class VirtualUsbBus : public UsbBus {
public:
    std::optional<QList<platform::UsbDeviceEntry>> presentDevices() const override;

    void plug(const platform::UsbDeviceEntry& device);
    // Removes every device with this instance id.
    void unplug(const QString& instanceId);
    // Makes the bus unreadable, as when the system's device list cannot be had.
    void setReadable(bool readable);

    // The ORVENA RH20 headset as the system lists it.
    static platform::UsbDeviceEntry headset();
    // Another device of the same maker (the mouse's receiver), which is not the headset.
    static platform::UsbDeviceEntry receiver();

private:
    mutable QMutex m_mutex;
    QList<platform::UsbDeviceEntry> m_devices;
    bool m_readable = true;
};
