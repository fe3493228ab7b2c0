#pragma once
// Reading the mouse's answers: bytes in, values out. Answer positions count from the
// direction marker (a zero report id is never part of an answer).
#include "devices/mouse/hid_transport.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

class KeyTables;

namespace mouse {

// Answer byte i, 0 past the end.
uint8_t answerByte(const QByteArray& answer, int index);

// Set commands: longer than 5 bytes, byte 1 echoes the command, byte 5 is 0xAC.
bool isAcknowledged(const HidAnswer& answer, uint8_t command);
// The save and macro writes look at byte 5 only.
bool hasAckMarker(const HidAnswer& answer);

// Model name: 0: 0xC0  1: 0x83  2: 0x3C  4: colour code (0xFF: no mouse behind the link)
// 5..: name characters (0xFA at 5: the firmware could not answer); longer than 19 bytes.
bool modelNameMatches(const HidAnswer& answer);
// The name from byte 5 on, through the character table: bytes without a character are dropped.
QString decodeModelName(const QByteArray& answer, const KeyTables& keys);
// 1 "Black", 2 "White", anything else "Unknown".
QString colourName(uint8_t code);

// MCU UUID: 0: 0xC0  1: 0x82  2: 0x10  4..19: the UUID. 32 upper-case hex digits, when valid.
std::optional<QString> mcuUuidText(const QByteArray& answer);

struct DpiStage {
    uint16_t x = 0;
    uint16_t y = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

struct MouseInformation {
    uint16_t firmware = 0;
    uint8_t dpiQuantity = 0;
    uint8_t profile = 0;
    uint8_t wiredRateCode = 0;
    uint8_t wirelessRateCode = 0;
    uint8_t snap = 0;
    uint8_t liftOff = 0;
    uint8_t dpiStage = 0;
    std::array<DpiStage, 5> stages;
};

// 0: 0xC0  1: 0x06  2: 0x30, byte 5 not 0xFA.
bool isMouseInformation(const QByteArray& answer);
// 4-5 firmware (LE)  6 DPI quantity  7 unused  8 profile  9 wired rate  10 wireless rate
// 11 snap  12 lift-off  13 DPI stage  14..48 five stages: X (LE), Y (LE), red, green, blue.
MouseInformation parseMouseInformation(const QByteArray& answer);

// Report-rate codes to reports per second; 0 for codes outside the table.
int wiredReportRate(uint8_t code);
int wirelessReportRate(uint8_t code);

// Battery: 0: 0xC0  1: 0x0A  2: 0x09  5: percent  6: charging.
bool isBatteryAnswer(const QByteArray& answer);

// Serial: the Latin-1 text from byte 5 up to the first zero byte.
QString serialNumberText(const QByteArray& answer);

// "2.4G", "Update Dongle FW", "USB", "Bluetooth", "Update Mouse FW"; empty for other ids.
QString connectionName(uint16_t productId);
// hidapi bus type to "Unknown", "USB", "Bluetooth", "I2C", "SPI".
QString busTypeName(int busType);
// Four upper-case hex digits, zero-filled ("2DBF").
QString hex4(uint16_t value);

} // namespace mouse
