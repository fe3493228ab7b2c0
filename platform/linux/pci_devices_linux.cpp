#include "platform/pci_devices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/utsname.h>

namespace platform {

namespace {

QString devicesFolder(const QString& sysfsRoot)
{
    return sysfsRoot + QStringLiteral("/bus/pci/devices");
}

QString readLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    // Attribute files are one short line; never read more than a page of a hostile file.
    return QString::fromUtf8(file.read(4096)).section(QLatin1Char('\n'), 0, 0).trimmed();
}

// sysfs writes ids as "0x1002".
bool readHexId(const QString& path, unsigned* value)
{
    bool ok = false;
    const unsigned parsed = readLine(path).toUInt(&ok, 16);
    if (ok)
        *value = parsed;
    return ok;
}

QString kernelRelease()
{
    struct utsname names {};
    if (uname(&names) != 0)
        return QString();
    return QString::fromLocal8Bit(names.release);
}

// A PCI address such as "0000:03:00.0": hex digits, ':' and '.' only, so that it never
// names a path outside the device folder.
bool isPciSlotName(const QString& slot)
{
    if (slot.isEmpty() || slot.size() > 32)
        return false;
    for (const QChar c : slot) {
        const bool hex = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
        if (!hex && c != QLatin1Char(':') && c != QLatin1Char('.'))
            return false;
    }
    return slot.contains(QLatin1Char(':'));
}

} // namespace

bool listPciDevices(const QString& sysfsRoot, std::vector<PciDevice>* devices)
{
    QDir folder(devicesFolder(sysfsRoot));
    if (!folder.exists() || !folder.isReadable())
        return false;
    const QStringList slotNames = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QString& slot : slotNames) {
        const QString base = folder.filePath(slot) + QLatin1Char('/');
        PciDevice device;
        device.slot = slot;
        if (!readHexId(base + QStringLiteral("vendor"), &device.vendor)
            || !readHexId(base + QStringLiteral("device"), &device.device))
            continue;
        readHexId(base + QStringLiteral("subsystem_vendor"), &device.subsystemVendor);
        readHexId(base + QStringLiteral("subsystem_device"), &device.subsystemDevice);
        readHexId(base + QStringLiteral("revision"), &device.revision);
        devices->push_back(device);
    }
    return true;
}

PciDriver pciDriver(const QString& sysfsRoot, const QString& slot)
{
    PciDriver driver;
    driver.kernelRelease = kernelRelease();
    if (!isPciSlotName(slot))
        return driver;
    const QString link = devicesFolder(sysfsRoot) + QLatin1Char('/') + slot + QStringLiteral("/driver");
    const QFileInfo info(link);
    if (!info.exists())
        return driver;
    driver.name = QFileInfo(info.symLinkTarget().isEmpty() ? info.absoluteFilePath() : info.symLinkTarget()).fileName();
    driver.moduleVersion = readLine(link + QStringLiteral("/module/version"));
    return driver;
}

} // namespace platform
