#pragma once
// The unit's timecode generator and reader. The generator runs from the time
// set with 'A' (user bits with 'D') or from the preset stored with 'P' 24 and
// 'L', at the frame rate of item 12 (25 when Auto). The reader reads the
// generator's output with user bits of its own. 'e' 3 and 'e' 23h answer
// "time, user bits"; 'E' 41h (jam) is accepted.

#include "sim/Extension.h"

#include <chrono>
#include <cstdint>

namespace zeb40::sim {

class TimecodeGenerator : public Extension {
  public:
    TimecodeGenerator();

    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;
    std::optional<std::string> UnitValue(Emulator& unit, std::uint32_t number) override;
    // reader-userbits (hexadecimal)
    bool Configure(Emulator& unit, const std::string& key, const std::string& value) override;

    // The generator's running time now, packed BCD.
    std::uint32_t GeneratorTime(const UnitState& state) const;
    std::uint32_t UserBits() const { return userBits_; }

  private:
    void Restart(std::uint32_t timeWord);

    std::uint32_t startWord_ = 0;
    std::chrono::steady_clock::time_point startedAt_;
    std::uint32_t userBits_ = 0;
    std::uint32_t readerUserBits_ = 0;
};

} // namespace zeb40::sim
