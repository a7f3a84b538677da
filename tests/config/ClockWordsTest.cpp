#include "config/ClockWords.h"

#include "sim/RealTimeClock.h"
#include "tests/support/EmulatorFixture.h"

namespace zeb40 {
namespace {

LocalClock At(int year, int month, int day, int weekday, int h, int m, int s, int ms) {
    return {year, month, day, weekday, h, m, s, ms};
}

TEST(ClockWordsTest, TimeWordCarriesTheFrameOfTheNorm) {
    const LocalClock clock = At(2021, 3, 7, 0, 14, 5, 9, 520);
    EXPECT_EQ(ClockTimeWord(clock, false), 0x14050913u);
    EXPECT_EQ(ClockTimeWord(clock, true), 0x14050915u);
    EXPECT_EQ(ClockTimeWord(At(2021, 3, 7, 0, 23, 59, 59, 999), false), 0x23595924u);
    EXPECT_EQ(ClockTimeWord(At(2021, 3, 7, 0, 0, 0, 0, 999), true), 0x00000029u);
}

TEST(ClockWordsTest, DateWordCarriesWeekdayZoneAndBcdDate) {
    EXPECT_EQ(ClockDateWord(At(2021, 3, 7, 0, 0, 0, 0, 0), -60), 0x02070321u);
    EXPECT_EQ(ClockDateWord(At(2022, 12, 31, 6, 0, 0, 0, 0), 0), 0x60311222u);
    EXPECT_EQ(ClockDateWord(At(2000, 1, 1, 6, 0, 0, 0, 0), -120), 0x64010100u);
}

TEST(ClockWordsTest, ZoneCodesForStandardBiases) {
    EXPECT_EQ(ZoneCode(0), 0);
    EXPECT_EQ(ZoneCode(-60), 1);
    EXPECT_EQ(ZoneCode(-120), 2);
    EXPECT_EQ(ZoneCode(-180), 3);
    EXPECT_EQ(ZoneCode(-420), 7);
    // West of UTC, half hours and beyond three bits have no code of their own.
    EXPECT_EQ(ZoneCode(300), 0);
    EXPECT_EQ(ZoneCode(-330), 0);
    EXPECT_EQ(ZoneCode(-480), 0);
}

class SetClockTest : public test::EmulatorFixture {};

TEST_F(SetClockTest, SendsBothWordsAndTakesThemIntoTheClock) {
    ASSERT_TRUE(OpenLink());
    SetClock(link, At(2021, 3, 7, 0, 14, 5, 9, 520), -60, false);
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"A14050913", "D2070321", "E33"}));
    auto lock = unit.Lock();
    const auto* clock = unit.Find<sim::RealTimeClock>();
    EXPECT_EQ(clock->TimeWord(), 0x14050913u);
    EXPECT_EQ(clock->DateWord(), 0x02070321u);
}

TEST(ClockWordsTest, LocalClockIsPlausible) {
    const LocalClock now = ReadLocalClock();
    EXPECT_GE(now.year, 2020);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
    EXPECT_TRUE(now.weekday >= 0 && now.weekday <= 6);
    EXPECT_TRUE(now.milliseconds >= 0 && now.milliseconds < 1000);
}

} // namespace
} // namespace zeb40
