#pragma once
// What the stand-in ADLX library simulates, read from a JSON description:
//
// {
//   "initialize": 0,                      code of every initialise (default 0)
//   "codes": { "GetGPUs": 3, ... },       library-wide codes by method name (default 0)
//   "cards": [ {
//     "deviceId": "744C", "revisionId": "CE", "subSystemId": "0E3A", "subSystemVendorId": "1DA2",
//     "vendorId": "1002", "name": "...", "totalVRAM": 24576, "vramType": "GDDR6", "family": 1,
//     "driverPath": "0000:03:00.0",
//     "i2c": true,                        the card exposes its I2C bus (default true)
//     "controller": true,                 a lighting controller answers at 0x44 (default true)
//     "controllerType": 0,                0 or 1: the controller takes only its own registers;
//                                         absent: it takes every register
//     "probe": [1, 2, 3],                 what register 0x82 reads
//     "refusedWrites": [2],               registers whose writes are not acknowledged (a fault)
//     "codes": { "Write": 3, "GPUUsage": 3, ... },   codes for this card by method name
//     "metrics": { "usage": { "supported": true, "range": [0, 100], "value": 37.9,
//                             "swing": 0, "period": 0, "jitter": 0 }, ... }
//   } ]
// }
//
// Metric names: usage, clockSpeed, vramClockSpeed, temperature, hotspotTemperature,
// totalBoardPower, fanSpeed, vram. A metric not described is not supported.
#include "devices/gpu/library/library_metrics.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

using SimMetricId = LibraryMetric;
constexpr int kSimMetricCount = kLibraryMetricCount;

struct SimMetric {
    bool supported = false;
    int rangeMin = 0;
    int rangeMax = 100;
    double value = 0;
    // The value moves as value + swing * sin(2 pi n / period) + jitter * noise, n the sample
    // number, and stays inside the range.
    double swing = 0;
    int period = 0;
    double jitter = 0;
};

struct SimCard {
    QString deviceId;
    QString revisionId;
    QString subSystemId;
    QString subSystemVendorId;
    QString vendorId = QStringLiteral("1002");
    QString name;
    QString vramType = QStringLiteral("GDDR6");
    QString driverPath;
    unsigned totalVram = 8192;
    int family = 1;
    bool hasI2c = true;
    bool controller = true;
    int controllerType = -1;
    std::array<uint8_t, 3> probe{{0x01, 0x00, 0x00}};
    std::vector<int> refusedWrites;
    std::map<QString, int> codes;
    std::array<SimMetric, kSimMetricCount> metrics{};
};

struct SimDescription {
    int initializeCode = 0;
    std::map<QString, int> codes;
    std::vector<SimCard> cards;
};

// False (with the reason) for anything that is not a description of this shape.
bool parseSimDescription(const QByteArray& json, SimDescription* description, QString* error);
