#pragma once
// Setting the unit's real-time clock from the PC: the packed time and date
// words sent with 'A' and 'D' before 'E' 33h takes them into the clock. The
// local time and time zone are passed in, so the words do not depend on the
// machine they are built on.

#include "link/UnitLink.h"

#include <cstdint>

namespace zeb40 {

struct LocalClock {
    int year = 2000; // full year
    int month = 1;   // 1-12
    int day = 1;     // 1-31
    int weekday = 0; // 0 Sunday to 6 Saturday
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

// Hours, minutes, seconds and the frame within the second (25 or 30 frames
// per second by the norm), packed BCD like a timecode.
std::uint32_t ClockTimeWord(const LocalClock& clock, bool ntsc);

// The unit's zone code for a standard time-zone bias (minutes to add to local
// standard time to get UTC): a whole number of hours east of UTC from 0 to 7
// gives that number (0 -> 0, -60 -> 1, -120 -> 2 ...); any other bias gives 0.
int ZoneCode(int standardBiasMinutes);

// Weekday in bits 30-28, zone code in 27-25, then day, month and year modulo
// 100 as packed BCD bytes.
std::uint32_t ClockDateWord(const LocalClock& clock, int standardBiasMinutes);

// This machine's local time and its standard (daylight-saving free) bias,
// read the way each system keeps them (posix/, windows/).
LocalClock ReadLocalClock();
int LocalStandardBiasMinutes();

// 'A' time word, 'D' date word, 'E' 33h, each sent whatever the replies
// before it; the result is the first that failed, Ok when all were accepted.
LinkResult SetClock(UnitLink& link, const LocalClock& clock, int standardBiasMinutes, bool ntsc);

} // namespace zeb40
