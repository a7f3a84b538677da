#include "config/ClockWords.h"

#include "config/ItemDescriptions.h"
#include "config/TimecodeCommands.h"

namespace zeb40 {
namespace {

constexpr std::uint32_t TakeClockWords = 0x33;
constexpr int MaxZoneCode = 7; // three bits

} // namespace

std::uint32_t ClockTimeWord(const LocalClock& clock, bool ntsc) {
    const int frameRate = ntsc ? 30 : 25;
    const int frame = frameRate * clock.milliseconds / 1000;
    return TimecodeWord(clock.hours, clock.minutes, clock.seconds, frame);
}

int ZoneCode(int standardBiasMinutes) {
    if (standardBiasMinutes > 0 || standardBiasMinutes % 60 != 0)
        return 0;
    const int hoursEast = -standardBiasMinutes / 60;
    return hoursEast <= MaxZoneCode ? hoursEast : 0;
}

std::uint32_t ClockDateWord(const LocalClock& clock, int standardBiasMinutes) {
    return static_cast<std::uint32_t>(clock.weekday & 7) << 28 |
           static_cast<std::uint32_t>(ZoneCode(standardBiasMinutes)) << 25 |
           static_cast<std::uint32_t>(BcdFromDecimal(clock.day)) << 16 |
           static_cast<std::uint32_t>(BcdFromDecimal(clock.month)) << 8 |
           static_cast<std::uint32_t>(BcdFromDecimal(clock.year % 100));
}

LinkResult SetClock(UnitLink& link, const LocalClock& clock, int standardBiasMinutes, bool ntsc) {
    LinkResult result = link.Command('A', ClockTimeWord(clock, ntsc));
    result = FirstFailure(result, link.Command('D', ClockDateWord(clock, standardBiasMinutes)));
    return FirstFailure(result, link.Command('E', TakeClockWords));
}

} // namespace zeb40
