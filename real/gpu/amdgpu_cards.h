#pragma once
// The AMD graphics cards of the machine as sysfs shows them: every PCI display device of
// vendor 0x1002 behind a /sys/class/drm/cardN node, with its ids, name and memory size.
#include "real/gpu/amdgpu_ids.h"

#include <QString>
#include <vector>

struct AmdgpuCard {
    QString deviceDir;  // <root>/class/drm/cardN/device
    QString pciAddress; // "0000:03:00.0"
    unsigned device = 0;
    unsigned revision = 0;
    unsigned subsystemVendor = 0;
    unsigned subsystemDevice = 0;
    QString name;
    unsigned vramMB = 0;
    QString hwmonDir; // empty when the driver registered no hardware monitor
};

constexpr unsigned kAmdVendorId = 0x1002;

// In card-number order; a card whose ids cannot be read is left out.
std::vector<AmdgpuCard> findAmdgpuCards(const QString& sysfsRoot, const AmdgpuIds& ids);

// The libdrm name, else one made from the ids ("AMD Radeon Graphics 744C:CE").
QString cardName(const AmdgpuIds& ids, unsigned device, unsigned revision);

// Upper-case hexadecimal of `digits` digits, the way the ids are given to the device code.
QString hexId(unsigned value, int digits);
