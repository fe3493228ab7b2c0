#include "core/device_setup.h"

#include "devices/sysfs_root.h"

DeviceSetup deviceSetupFromEnvironment()
{
    return makeDeviceSetup(qgetenv("TALVORIN_DEVICES") == "virtual", sysfsRootFromEnvironment());
}

DeviceSetup makeDeviceSetup(bool virtualDevices, const QString& sysfsRoot)
{
    DeviceSetup setup;
    setup.virtualDevices = virtualDevices;
    if (!sysfsRoot.isEmpty())
        setup.sysfsRoot = sysfsRoot;
    configureGpu(setup);
    configureMouse(setup);
    configureHeadset(setup);
    return setup;
}
