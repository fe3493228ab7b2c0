#pragma once
#include "devices/device_setup.h"

// Reads TALVORIN_DEVICES once ("virtual" selects the virtual devices of sim/) and
// TALVORIN_SYSFS_ROOT (through devices/sysfs_root.h, which the Linux GPU library reads it
// with too), and builds the setup that every device object and listener of the process shares.
DeviceSetup deviceSetupFromEnvironment();
// An empty sysfsRoot keeps "/sys". The devices are configured after the root is set, so a real
// back end that reads sysfs sees the same tree as the presence checks.
DeviceSetup makeDeviceSetup(bool virtualDevices, const QString& sysfsRoot = QString());

// Each device fills in its own part of the setup.
void configureGpu(DeviceSetup& setup);
void configureMouse(DeviceSetup& setup);
void configureHeadset(DeviceSetup& setup);
