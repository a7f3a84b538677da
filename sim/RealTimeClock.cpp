#include "sim/RealTimeClock.h"

#include "sim/Emulator.h"

namespace zeb40::sim {
namespace {

constexpr std::uint32_t TakeClockWords = 0x33;

} // namespace

std::optional<Response> RealTimeClock::Handle(Emulator& unit, const ReceivedCommand& command) {
    if (!command.Is('E', TakeClockWords))
        return std::nullopt;
    timeWord_ = unit.State().parameterA;
    dateWord_ = unit.State().parameterD;
    ++settings_;
    return Response{"OK"};
}

} // namespace zeb40::sim
