#pragma once
// The USB devices present on the machine, each named by its device instance id in the form
// Windows gives it: "USB\VID_xxxx&PID_xxxx\serial" with the ids in upper-case hex.
#include <QList>
#include <QString>
#include <optional>

namespace platform {

struct UsbDeviceEntry {
    QString instanceId;
    QString friendlyName; // empty when the system keeps none
    QString description;  // the product string, empty when the device has none
};

// Every USB device (not its interfaces) under sysfsRoot; nothing when the bus cannot be read.
std::optional<QList<UsbDeviceEntry>> presentUsbDevices(const QString& sysfsRoot);

} // namespace platform
