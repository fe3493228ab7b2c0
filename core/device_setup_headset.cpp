#include "core/device_setup.h"

#include "real/headset/pipewire_dts_component.h"
#include "sim/headset/virtual_dts_component.h"
#include "sim/headset/virtual_usb_bus.h"
#include "util/app_data.h"
#include "util/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kConfigurationXml = QStringLiteral("/dts_apo4_hpxv2_oem_config_2DBF0001.xml");

} // namespace

QString headsetFilesFolder(const QString& executableFolder)
{
    if (QFileInfo::exists(executableFolder + kConfigurationXml))
        return executableFolder;
    const QString installed = QDir::cleanPath(executableFolder + QStringLiteral("/../share/talvorin"));
    return QFileInfo::exists(installed + kConfigurationXml) ? installed : executableFolder;
}

// Real: the headset's presence is read from the machine's USB devices and its sound is
// processed on PipeWire, by a filter in front of the headset's sink. Virtual: the headset is
// plugged into a USB bus of its own and processed by the stand-in component. Both read the
// same configuration file.
void configureHeadset(DeviceSetup& setup)
{
    if (setup.headsetFilesDir.isEmpty())
        setup.headsetFilesDir = headsetFilesFolder(QCoreApplication::applicationDirPath());
    const QString configuration = setup.headsetFilesDir + kConfigurationXml;
    if (!setup.virtualDevices) {
        const QString folder = appDataFolder() + QStringLiteral("/Headphone");
        ensureDirectory(folder);
        setup.dts = std::make_shared<PipeWireDtsComponent>(configuration, folder + QStringLiteral("/dts_values.json"));
        return;
    }
    setup.dts = std::make_shared<VirtualDtsComponent>(configuration);
    auto bus = std::make_shared<VirtualUsbBus>();
    bus->plug(VirtualUsbBus::receiver());
    bus->plug(VirtualUsbBus::headset());
    setup.usbBus = bus;
}
