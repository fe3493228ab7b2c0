#pragma once
// One opened /dev/i2c-N, held for the length of one lighting command: opened read-write with
// an exclusive advisory lock, so that other programs that lock the node too (as lighting tools
// do) never interleave their messages with one command of ours.
#include "devices/gpu/adlx_interfaces.h"

#include <QString>

class I2cNode {
public:
    I2cNode() = default;
    ~I2cNode();
    I2cNode(const I2cNode&) = delete;
    I2cNode& operator=(const I2cNode&) = delete;

    // ADLX_OK, or why the node cannot be used: kLightingBusMissing when it does not exist (no
    // i2c-dev), kLightingBusNotAccessible when it may not be opened, ADLX_FAIL when another
    // program holds the bus for longer than a command takes.
    ADLX_RESULT open(const QString& path);
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};
