#include "real/gpu/oem_i2c_bus.h"

#include "real/gpu/sysfs_files.h"

#include <QDir>

bool isOemBusName(const QString& adapterName)
{
    const QString name = adapterName.trimmed();
    return name == QLatin1String("AMDGPU DM i2c OEM bus") || name == QLatin1String("AMDGPU i2c bit bus OEM 0x97");
}

int findOemI2cAdapter(const QString& cardDeviceDir)
{
    // An adapter whose parent is the card's PCI device appears as <device>/i2c-N.
    const QDir device(cardDeviceDir);
    const QStringList adapters = device.entryList({QStringLiteral("i2c-*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& adapter : adapters) {
        bool ok = false;
        const int number = adapter.mid(4).toInt(&ok);
        if (ok && isOemBusName(sysfs::readText(device.filePath(adapter) + QStringLiteral("/name")).value_or(QString())))
            return number;
    }
    return -1;
}
