#pragma once
// Which hardware the device objects talk to: the real services of the machine or the virtual
// devices of sim/. Built once per process (core/device_setup.h) and handed to every device
// object and listener, so that the device code itself never asks which one it has.
#include <QString>
#include <memory>

class HidBackend;   // devices/mouse: the HID calls the mouse code makes
class DtsComponent; // devices/headset: the DTS audio-processing component
class UsbBus;       // devices/headset: where USB devices are looked up

struct DeviceSetup {
    bool virtualDevices = false;

    // GPU: the ADLX library, a file name looked up in safe places only, or an absolute path.
    QString adlxLibrary;

    // Mouse: every HID exchange of the worker and the listener goes through this backend.
    std::shared_ptr<HidBackend> hid;

    // Headset: the DTS component and the sysfs tree where USB presence is read.
    std::shared_ptr<DtsComponent> dts;
    // The USB devices the headset is looked for among; none: the machine's own (under sysfsRoot).
    std::shared_ptr<UsbBus> usbBus;
    // Where the DTS configuration XML and the PEQ loader are; empty: the executable's folder.
    QString headsetFilesDir;

    // Root of the sysfs tree (PCI and USB devices); tests point it at a fake tree.
    QString sysfsRoot = QStringLiteral("/sys");
};
