#pragma once
// The lighting controller's address in the two notations.
//
// The GPU library interface takes I2C addresses in the 8-bit form its vendor's libraries use:
// the 7-bit bus address shifted left by one, with the read/write bit (0) in bit 0 -- so the
// device code asks for 0x44. The kernel's i2c-dev takes the plain 7-bit address and adds the
// read/write bit itself. 0x44 is therefore 0x22 on the bus. Reading 0x44 as a 7-bit address
// instead would talk to another device of the card's bus, which is never done: the controller's
// address is the only one the library accepts (kControllerLibraryAddress).
#include <cstdint>

constexpr int kControllerLibraryAddress = 0x44;

constexpr uint16_t busAddressFromLibrary(int libraryAddress)
{
    return uint16_t((libraryAddress >> 1) & 0x7F);
}

constexpr uint16_t kControllerBusAddress = busAddressFromLibrary(kControllerLibraryAddress);
static_assert(kControllerBusAddress == 0x22, "the controller answers at 7-bit address 0x22");
