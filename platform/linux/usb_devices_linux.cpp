#include "platform/usb_devices.h"

#include <QDir>
#include <QFile>

namespace platform {

namespace {

// One line of a sysfs attribute file, or an empty string when the attribute is missing.
QString readAttribute(const QDir& device, const QString& name)
{
    QFile file(device.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(256)).trimmed();
}

// Windows keeps the serial number as the last part of the id; a device without one is named
// here by its place on the bus ("1-2.3"), which is just as stable while it stays plugged in.
QString instanceIdFor(const QDir& device, const QString& vendor, const QString& product)
{
    QString serial = readAttribute(device, QStringLiteral("serial"));
    if (serial.isEmpty())
        serial = device.dirName();
    return QStringLiteral("USB\\VID_%1&PID_%2\\%3").arg(vendor.toUpper(), product.toUpper(), serial);
}

} // namespace

std::optional<QList<UsbDeviceEntry>> presentUsbDevices(const QString& sysfsRoot)
{
    const QDir bus(sysfsRoot + QStringLiteral("/bus/usb/devices"));
    if (!bus.exists())
        return std::nullopt;
    QList<UsbDeviceEntry> devices;
    const QStringList names = bus.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& name : names) {
        const QDir device(bus.filePath(name));
        const QString vendor = readAttribute(device, QStringLiteral("idVendor"));
        const QString product = readAttribute(device, QStringLiteral("idProduct"));
        // Interfaces ("1-2:1.0") and hubs' ports carry no ids of their own.
        if (vendor.isEmpty() || product.isEmpty())
            continue;
        UsbDeviceEntry entry;
        entry.instanceId = instanceIdFor(device, vendor, product);
        entry.description = readAttribute(device, QStringLiteral("product"));
        devices.append(entry);
    }
    return devices;
}

} // namespace platform
