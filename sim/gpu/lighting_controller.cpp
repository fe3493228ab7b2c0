#include "sim/gpu/lighting_controller.h"

#include <algorithm>

namespace {

constexpr int kTaken = 0;
constexpr int kNotAcknowledged = 3;

const int kType0Registers[] = {0x01, 0x02, 0x04, 0x30, 0x31};
const int kType1Registers[] = {0x01, 0x02, 0x04, 0x0E, 0x0F, 0x12};

template <size_t N>
bool contains(const int (&registers)[N], int reg)
{
    return std::find(std::begin(registers), std::end(registers), reg) != std::end(registers);
}

} // namespace

LightingController::LightingController(bool answers, int type, Bytes id) : m_answers(answers), m_type(type), m_id(id) {}

bool LightingController::reaches(int line, int address, int size) const
{
    return m_answers && line == kLine && address == kAddress && size == 3;
}

bool LightingController::hasRegister(int reg) const
{
    if (m_type == 0)
        return contains(kType0Registers, reg);
    if (m_type == 1)
        return contains(kType1Registers, reg);
    return reg >= 0 && reg <= 0xFF;
}

int LightingController::write(int line, int address, int reg, const uint8_t* data, int size)
{
    if (!data || !reaches(line, address, size) || !hasRegister(reg) || m_refused.count(reg))
        return kNotAcknowledged;
    m_registers[reg] = Bytes{{data[0], data[1], data[2]}};
    return kTaken;
}

int LightingController::read(int line, int address, int reg, uint8_t* data, int size) const
{
    if (!data || !reaches(line, address, size) || (reg != kIdRegister && !hasRegister(reg)))
        return kNotAcknowledged;
    const Bytes value = reg == kIdRegister ? m_id : registerValue(reg);
    std::copy(value.begin(), value.end(), data);
    return kTaken;
}

LightingController::Bytes LightingController::registerValue(int reg) const
{
    const auto it = m_registers.find(reg);
    return it == m_registers.end() ? Bytes{{0, 0, 0}} : it->second;
}
