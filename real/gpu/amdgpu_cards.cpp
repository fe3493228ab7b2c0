#include "real/gpu/amdgpu_cards.h"

#include "real/gpu/sysfs_files.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

// PCI base class 0x03: display controllers (VGA, 3D, other).
constexpr qint64 kDisplayClass = 0x03;

bool isCardNode(const QString& name, int* number)
{
    static const QRegularExpression pattern(QStringLiteral("^card(\\d+)$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    *number = match.captured(1).toInt();
    return true;
}

QString pciAddressOf(const QString& deviceDir)
{
    static const QRegularExpression address(QStringLiteral("^[0-9a-f]{4}:[0-9a-f]{2}:[0-9a-f]{2}\\.[0-7]$"));
    const QString resolved = QFileInfo(QFileInfo(deviceDir).canonicalFilePath()).fileName();
    if (address.match(resolved).hasMatch())
        return resolved;
    // A tree without the link: the device's own record names its slot.
    const QString uevent = sysfs::readText(deviceDir + QStringLiteral("/uevent")).value_or(QString());
    for (const QString& line : uevent.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("PCI_SLOT_NAME=")))
            return line.mid(14).trimmed();
    }
    return QString();
}

QString firstHwmonDir(const QString& deviceDir)
{
    const QDir hwmon(deviceDir + QStringLiteral("/hwmon"));
    const QStringList entries = hwmon.entryList({QStringLiteral("hwmon*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    return entries.isEmpty() ? QString() : hwmon.filePath(entries.first());
}

bool readCard(const QString& deviceDir, const AmdgpuIds& ids, AmdgpuCard* card)
{
    const auto vendor = sysfs::readNumber(deviceDir + QStringLiteral("/vendor"));
    const auto pciClass = sysfs::readNumber(deviceDir + QStringLiteral("/class"));
    if (!vendor || *vendor != kAmdVendorId || !pciClass || (*pciClass >> 16) != kDisplayClass)
        return false;
    const auto device = sysfs::readNumber(deviceDir + QStringLiteral("/device"));
    const auto revision = sysfs::readNumber(deviceDir + QStringLiteral("/revision"));
    const auto subVendor = sysfs::readNumber(deviceDir + QStringLiteral("/subsystem_vendor"));
    const auto subDevice = sysfs::readNumber(deviceDir + QStringLiteral("/subsystem_device"));
    if (!device || !revision || !subVendor || !subDevice)
        return false;
    card->deviceDir = deviceDir;
    card->pciAddress = pciAddressOf(deviceDir);
    card->device = unsigned(*device);
    card->revision = unsigned(*revision);
    card->subsystemVendor = unsigned(*subVendor);
    card->subsystemDevice = unsigned(*subDevice);
    card->name = cardName(ids, card->device, card->revision);
    const auto vramBytes = sysfs::readNumber(deviceDir + QStringLiteral("/mem_info_vram_total"));
    card->vramMB = vramBytes && *vramBytes > 0 ? unsigned(*vramBytes / (1024 * 1024)) : 0;
    card->hwmonDir = firstHwmonDir(deviceDir);
    return true;
}

} // namespace

QString hexId(unsigned value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString cardName(const AmdgpuIds& ids, unsigned device, unsigned revision)
{
    const QString known = ids.name(device, revision);
    if (!known.isEmpty())
        return known;
    return QStringLiteral("AMD Radeon Graphics %1:%2").arg(hexId(device, 4), hexId(revision, 2));
}

std::vector<AmdgpuCard> findAmdgpuCards(const QString& sysfsRoot, const AmdgpuIds& ids)
{
    const QDir drm(sysfsRoot + QStringLiteral("/class/drm"));
    std::vector<std::pair<int, QString>> nodes;
    for (const QString& name : drm.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        int number = 0;
        if (isCardNode(name, &number))
            nodes.emplace_back(number, drm.filePath(name) + QStringLiteral("/device"));
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<AmdgpuCard> cards;
    for (const auto& node : nodes) {
        AmdgpuCard card;
        if (readCard(node.second, ids, &card))
            cards.push_back(card);
    }
    return cards;
}
