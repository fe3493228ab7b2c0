#pragma once
// Identities and command ids of the mouse, its 2.4 GHz receiver and its Bluetooth link.
#include <cstdint>

namespace mouse {

constexpr uint16_t kVendorId = 0x2DBF;
constexpr uint16_t kUpdateVendorId = 0x1FC9; // the mouse's controller in firmware-update mode
constexpr uint16_t kVendorUsagePage = 0xFF00;

constexpr uint16_t kReceiver = 0x5036;     // "2.4G"
constexpr uint16_t kUpdateDongle = 0x5037; // receiver in firmware-update mode
constexpr uint16_t kCable = 0x5038;        // "USB"
constexpr uint16_t kBluetooth = 0x5039;    // "Bluetooth"
constexpr uint16_t kUpdateMouse = 0x0021;  // mouse in firmware-update mode

constexpr uint8_t kSet = 0x40;
constexpr uint8_t kGet = 0xC0;
constexpr uint8_t kAck = 0xAC;

// Where the frame sits in the 65-byte output report. The receiver and the cable take a report
// id of 0 in front of it; over Bluetooth the frame's own first byte is the report id. Update
// modes take no commands: only a few reads go out there, as all-zero reports.
enum class Framing { None, ReportId, Bluetooth };

Framing framingFor(uint16_t productId);
bool isKnownVendor(uint16_t vendorId);

namespace cmd {
constexpr uint8_t ProfileButtons = 0x02;
constexpr uint8_t MacroKeyInfo = 0x03;
constexpr uint8_t SelectProfile = 0x03;
constexpr uint8_t RedefineKeyInfo = 0x04;
constexpr uint8_t ReportRate = 0x04;
constexpr uint8_t SensorSnap = 0x05;
constexpr uint8_t MouseInformation = 0x06;
constexpr uint8_t Dpi = 0x06;
constexpr uint8_t LiftOffDistance = 0x07;
constexpr uint8_t Calibration = 0x08;
constexpr uint8_t Pairing = 0x09;
constexpr uint8_t Battery = 0x0A;
constexpr uint8_t LedOffDelay = 0x11;
constexpr uint8_t EcoMode = 0x12;
constexpr uint8_t ArgbFunction = 0x15;
constexpr uint8_t ProfileButtonsSet = 0x1A;
constexpr uint8_t ArgbDirectColor = 0x1E;
constexpr uint8_t Save = 0x60;
constexpr uint8_t ProfileDefault = 0x62;
constexpr uint8_t FirmwareVersion = 0x81;
constexpr uint8_t McuUuid = 0x82;
constexpr uint8_t ModelName = 0x83;
constexpr uint8_t SerialNumber = 0x84;
} // namespace cmd

} // namespace mouse
