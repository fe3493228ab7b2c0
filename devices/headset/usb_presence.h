#pragma once
// Finding one device among the present USB devices by its vendor and product id.
#include "platform/usb_devices.h"

#include <string>

// The first device whose instance id contains both "VID_" + vid and "PID_" + pid. The test is
// case-sensitive, as the ids are always written in upper-case hex.
std::optional<platform::UsbDeviceEntry> findUsbDevice(const QList<platform::UsbDeviceEntry>& devices,
                                                      const std::wstring& vid, const std::wstring& pid);
// The name to log for a device: its friendly name, else its description, else "Unknown".
QString usbDeviceName(const platform::UsbDeviceEntry& device);
