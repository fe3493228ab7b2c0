#pragma once
// Deciding from the PCI device list whether one of our boards is in the machine, before the
// vendor library is asked.
#include "platform/pci_devices.h"

#include <QString>
#include <map>
#include <string>

// "VEN_1002&DEV_744C&SUBSYS_0E3A1DA2&REV_CE": vendor, device, subsystem (device then vendor)
// and revision as upper-case hex, the way PCI instance names are written.
QString pciInstanceName(const platform::PciDevice& device);

// True when the name is an AMD device (vendor 1002, any case) whose device id is the device
// id of a board key in the table. Only the DEV_ field is compared, so a subsystem id that
// happens to contain a board's device id does not count.
bool isAmdBoardInstance(const QString& name, const std::map<std::string, int>& protocolTable);
