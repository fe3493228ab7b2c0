#include "core/device_setup.h"

// TALVORIN_SYSFS_ROOT moves every sysfs reader of the process (PCI and USB presence, the graphics
// cards' files) to another tree: recorded trees in tests, a chroot's /sys by hand.
DeviceSetup deviceSetupFromEnvironment()
{
    return makeDeviceSetup(qgetenv("TALVORIN_DEVICES") == "virtual", qEnvironmentVariable("TALVORIN_SYSFS_ROOT"));
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
