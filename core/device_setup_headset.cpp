#include "core/device_setup.h"

#include "sim/headset/virtual_dts_component.h"
#include "sim/headset/virtual_usb_bus.h"

#include <QCoreApplication>

// The real headset needs the DTS component of its Windows driver, which this system does not
// have; its presence is still read from the machine's USB devices. Under the virtual devices
// the headset is plugged into a USB bus of its own and processed by the stand-in component,
// which reads the same configuration file that ships beside the executable.
void configureHeadset(DeviceSetup& setup)
{
    if (!setup.virtualDevices)
        return;
    const QString folder =
        setup.headsetFilesDir.isEmpty() ? QCoreApplication::applicationDirPath() : setup.headsetFilesDir;
    setup.dts = std::make_shared<VirtualDtsComponent>(folder + QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml"));
    auto bus = std::make_shared<VirtualUsbBus>();
    bus->plug(VirtualUsbBus::receiver());
    bus->plug(VirtualUsbBus::headset());
    setup.usbBus = bus;
}
