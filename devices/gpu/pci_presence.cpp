#include "devices/gpu/pci_presence.h"

namespace {

QString hex(unsigned value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString pciInstanceName(const platform::PciDevice& device)
{
    return QStringLiteral("VEN_%1&DEV_%2&SUBSYS_%3%4&REV_%5")
        .arg(hex(device.vendor, 4), hex(device.device, 4), hex(device.subsystemDevice, 4),
             hex(device.subsystemVendor, 4), hex(device.revision, 2));
}

bool isAmdBoardInstance(const QString& name, const std::map<std::string, int>& protocolTable)
{
    if (!name.contains(QLatin1String("VEN_1002"), Qt::CaseInsensitive))
        return false;
    for (const auto& entry : protocolTable) {
        const QString deviceField = QStringLiteral("DEV_") + QString::fromStdString(entry.first.substr(0, 4));
        if (name.contains(deviceField, Qt::CaseSensitive))
            return true;
    }
    return false;
}
