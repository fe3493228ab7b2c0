#pragma once
#include "devices/device_setup.h"

// Reads TALVORIN_DEVICES once ("virtual" selects the virtual devices of sim/) and builds the
// setup that every device object and listener of the process shares.
DeviceSetup deviceSetupFromEnvironment();
DeviceSetup makeDeviceSetup(bool virtualDevices);

// Each device fills in its own part of the setup.
void configureGpu(DeviceSetup& setup);
void configureMouse(DeviceSetup& setup);
void configureHeadset(DeviceSetup& setup);
