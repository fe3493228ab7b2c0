#pragma once
// The card's own OEM I2C adapter, where the lighting controller sits. The kernel registers
// several adapters under a card (one display data channel per connector, which reach the
// monitors, and on recent kernels the OEM bus); only the OEM bus is ever used.
#include <QString>

// The adapter number N of the card's OEM bus (/dev/i2c-N), or -1 when the card has none
// (kernels before 6.15 register none for these cards).
int findOemI2cAdapter(const QString& cardDeviceDir);

// True for the names the kernel gives the OEM bus (display core, and the older bit-banged one).
bool isOemBusName(const QString& adapterName);
