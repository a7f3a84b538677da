#pragma once
// The unit's real-time clock: 'E' 33h takes the time word ('A') and the date
// word ('D') sent before it.

#include "sim/Extension.h"

#include <cstdint>

namespace zeb40::sim {

class RealTimeClock : public Extension {
  public:
    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;

    // The words last taken into the clock, and how often it was set.
    std::uint32_t TimeWord() const { return timeWord_; }
    std::uint32_t DateWord() const { return dateWord_; }
    int Settings() const { return settings_; }

  private:
    std::uint32_t timeWord_ = 0;
    std::uint32_t dateWord_ = 0;
    int settings_ = 0;
};

} // namespace zeb40::sim
