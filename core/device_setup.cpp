#include "core/device_setup.h"

DeviceSetup deviceSetupFromEnvironment()
{
    return makeDeviceSetup(qgetenv("TALVORIN_DEVICES") == "virtual");
}

DeviceSetup makeDeviceSetup(bool virtualDevices)
{
    DeviceSetup setup;
    setup.virtualDevices = virtualDevices;
    configureGpu(setup);
    configureMouse(setup);
    configureHeadset(setup);
    return setup;
}
