#pragma once
// The unit's profiles. 'B' alone loads the factory settings into the item
// memory; 'B' n (the decimal digits of 1-499 sent as hex) loads profile n, or
// answers PI when it does not exist. 'E' 80h-89h saves the item memory as
// user profile 0-9, which takes a while; user profiles 1-9 are loaded as
// profiles 1-9 (0 is the factory load).

#include "sim/Extension.h"

#include <array>
#include <cstdint>
#include <map>

namespace zeb40::sim {

class Profiles : public Extension {
  public:
    using ItemMemory = std::array<std::uint8_t, 100>;

    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;
    // save-ms: how long saving takes (decimal ms, default 3000);
    // profile: a profile number 1-499 that holds the factory settings.
    bool Configure(Emulator& unit, const std::string& key, const std::string& value) override;

    const std::map<int, ItemMemory>& Stored() const { return stored_; }

  private:
    std::optional<Response> Load(UnitState& state, const ReceivedCommand& command);

    std::map<int, ItemMemory> stored_; // by profile number
    int saveMs_ = 3000;
};

} // namespace zeb40::sim
