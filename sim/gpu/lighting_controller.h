#pragma once
// The lighting controller on a card's I2C bus, seen from the card: a file of three-byte
// registers at device address 0x44 on line 1. A controller of a known type takes only the
// registers that type has (type 0: 0x01 0x02 0x04 0x30 0x31; type 1: 0x01 0x02 0x04 0x0E 0x0F
// 0x12) and refuses the rest, like a real part that does not acknowledge an unknown register.
#include <array>
#include <cstdint>
#include <map>
#include <set>

class LightingController {
public:
    using Bytes = std::array<uint8_t, 3>;

    static constexpr int kAddress = 0x44;
    static constexpr int kLine = 1;
    static constexpr int kIdRegister = 0x82;

    // `answers`: false for a card without a controller (nothing acknowledges at 0x44).
    // `type`: 0 or 1, or -1 for a controller that takes any register.
    LightingController(bool answers = true, int type = -1, Bytes id = {{0x01, 0x00, 0x00}});

    // Result codes as the library gives them: 0 taken, 3 not acknowledged.
    int write(int line, int address, int reg, const uint8_t* data, int size);
    int read(int line, int address, int reg, uint8_t* data, int size) const;

    Bytes registerValue(int reg) const;

    // A fault to inject: writes to this register are no longer acknowledged.
    void refuseWrites(int reg) { m_refused.insert(reg); }

private:
    bool reaches(int line, int address, int size) const;
    bool hasRegister(int reg) const;

    bool m_answers;
    int m_type;
    Bytes m_id;
    std::map<int, Bytes> m_registers;
    std::set<int> m_refused;
};
