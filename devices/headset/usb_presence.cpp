#include "devices/headset/usb_presence.h"

std::optional<platform::UsbDeviceEntry> findUsbDevice(const QList<platform::UsbDeviceEntry>& devices,
                                                      const std::wstring& vid, const std::wstring& pid)
{
    const QString vendorText = QStringLiteral("VID_") + QString::fromStdWString(vid);
    const QString productText = QStringLiteral("PID_") + QString::fromStdWString(pid);
    for (const platform::UsbDeviceEntry& device : devices) {
        if (device.instanceId.contains(vendorText, Qt::CaseSensitive)
            && device.instanceId.contains(productText, Qt::CaseSensitive))
            return device;
    }
    return std::nullopt;
}

QString usbDeviceName(const platform::UsbDeviceEntry& device)
{
    if (!device.friendlyName.isEmpty())
        return device.friendlyName;
    if (!device.description.isEmpty())
        return device.description;
    return QStringLiteral("Unknown");
}
