#pragma once
// The PCI devices of the machine and the driver bound to one of them.
#include <QString>
#include <vector>

namespace platform {

struct PciDevice {
    QString slot; // "0000:03:00.0"
    unsigned vendor = 0;
    unsigned device = 0;
    unsigned subsystemVendor = 0;
    unsigned subsystemDevice = 0;
    unsigned revision = 0;
};

// Lists the PCI devices under `sysfsRoot` (normally "/sys"). False when the device folder
// cannot be read; devices whose ids cannot be read are left out.
bool listPciDevices(const QString& sysfsRoot, std::vector<PciDevice>* devices);

struct PciDriver {
    QString name;          // the bound driver ("amdgpu"); empty when none is bound
    QString moduleVersion; // the driver module's own version; empty when it has none
    QString kernelRelease; // the running kernel's release
};

// The driver of the device in `slot`. A slot that is not a plain PCI address is refused
// (all fields empty but the kernel release).
PciDriver pciDriver(const QString& sysfsRoot, const QString& slot);

} // namespace platform
