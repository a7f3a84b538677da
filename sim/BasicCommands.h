#pragma once
// The commands every unit answers: the probe, parameter words, the item
// pointer and item reads and writes, batches, unit functions and the values
// read with 'e' that describe the unit.

#include "sim/Extension.h"

namespace zeb40::sim {

class BasicCommands : public Extension {
  public:
    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;
    std::optional<std::string> UnitValue(Emulator& unit, std::uint32_t number) override;
    // identifier, version, option1, option2 (hexadecimal)
    bool Configure(Emulator& unit, const std::string& key, const std::string& value) override;
};

} // namespace zeb40::sim
