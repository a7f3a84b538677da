#pragma once
// What the emulated unit remembers. Extensions keep their own state in their
// own classes; this is what every command may look at.

#include <array>
#include <cstdint>

namespace zeb40::sim {

struct UnitState {
    std::array<std::uint8_t, 100> items{};
    std::uint8_t itemPointer = 0;
    std::uint32_t firstOptionWord = 0x006F407F;
    std::uint32_t secondOptionWord = 0x006F407F;
    std::uint32_t identifier = 0x0000002A;
    std::uint16_t firmwareVersion = 0x0346;
    std::uint32_t parameterA = 0; // first parameter word ('A')
    std::uint32_t parameterD = 0; // second parameter word ('D')
    std::uint32_t userCode = 0;   // the last 'D' that followed an 'A' 0
};

} // namespace zeb40::sim
