#pragma once
// The transport below the library's I2C interface: one combined transfer of messages on one
// adapter (the kernel's I2C_RDWR). The Linux library sends through i2c-dev; its test build
// sends to register files and records every message, so the same expected writes check the
// message bytes.
#include <cstdint>

struct I2cMessage {
    uint16_t address = 0; // 7-bit
    bool read = false;
    uint8_t* data = nullptr;
    uint16_t length = 0;
};

class I2cTransport {
public:
    virtual ~I2cTransport() = default;
    // `fd`: the opened /dev/i2c-N of adapter `adapter`. True when every message was acknowledged.
    virtual bool transfer(int fd, int adapter, I2cMessage* messages, int count) = 0;
};

// The transport this build of the library sends through.
I2cTransport& libraryTransport();
