#include "sim/headset/virtual_usb_bus.h"

#include <QMutexLocker>

std::optional<QList<platform::UsbDeviceEntry>> VirtualUsbBus::presentDevices() const
{
    QMutexLocker lock(&m_mutex);
    if (!m_readable)
        return std::nullopt;
    return m_devices;
}

void VirtualUsbBus::plug(const platform::UsbDeviceEntry& device)
{
    QMutexLocker lock(&m_mutex);
    m_devices.append(device);
}

void VirtualUsbBus::unplug(const QString& instanceId)
{
    QMutexLocker lock(&m_mutex);
    for (auto it = m_devices.begin(); it != m_devices.end();) {
        if (it->instanceId == instanceId)
            it = m_devices.erase(it);
        else
            ++it;
    }
}

void VirtualUsbBus::setReadable(bool readable)
{
    QMutexLocker lock(&m_mutex);
    m_readable = readable;
}

platform::UsbDeviceEntry VirtualUsbBus::headset()
{
    return {QStringLiteral("USB\\VID_2DBF&PID_0001\\RH20V0000001"), QStringLiteral("Belvarinth ORVENA RH20"),
            QStringLiteral("USB Composite Device")};
}

platform::UsbDeviceEntry VirtualUsbBus::receiver()
{
    return {QStringLiteral("USB\\VID_2DBF&PID_0011\\5&1A2B3C4D&0&2"), QString(), QStringLiteral("USB Input Device")};
}
