#include "config/ClockWords.h"

#include <ctime>
#include <gtest/gtest.h>

namespace zeb40 {
namespace {

// The clock words are built from what Windows says the local time and zone
// are; the C runtime reads the same, each in its own way.
TEST(LocalClockTest, TheClockAndTheZoneAreTheSystemsOwn) {
    LocalClock clock;
    std::tm local{};
    // Taken again if a second turned over between the two readings.
    for (int attempt = 0; attempt < 3; ++attempt) {
        clock = ReadLocalClock();
        const std::time_t now = std::time(nullptr);
        localtime_s(&local, &now);
        if (local.tm_sec == clock.seconds)
            break;
    }
    EXPECT_EQ(clock.year, local.tm_year + 1900);
    EXPECT_EQ(clock.month, local.tm_mon + 1);
    EXPECT_EQ(clock.day, local.tm_mday);
    EXPECT_EQ(clock.weekday, local.tm_wday);
    EXPECT_EQ(clock.hours, local.tm_hour);
    EXPECT_EQ(clock.minutes, local.tm_min);
    EXPECT_EQ(clock.seconds, local.tm_sec);
    EXPECT_GE(clock.milliseconds, 0);
    EXPECT_LT(clock.milliseconds, 1000);

    _tzset();
    // _timezone: seconds west of UTC in standard time.
    EXPECT_EQ(LocalStandardBiasMinutes(), _timezone / 60);
}

} // namespace
} // namespace zeb40
