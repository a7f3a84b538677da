#include "sim/PacedLine.h"

#include <gtest/gtest.h>

namespace zeb40::sim {
namespace {

using namespace std::chrono_literals;
constexpr auto ByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 38400);

// Requests that each get a 2-character answer, count of them written at once;
// the number the unit lost.
int LostOfABurst(std::size_t queue, int count) {
    PacedLine line;
    line.SetReceiveQueue(queue);
    const auto written = PacedLine::Clock::now();
    int lost = 0;
    for (int i = 0; i < count; ++i) {
        if (!line.ByteArrived(written)) {
            ++lost;
            continue;
        }
        line.ScheduleAnswer(2);
    }
    return lost;
}

TEST(PacedLineTest, RequestsWaitingForTheAnswersBeforeThemFillTheReceiveQueue) {
    // The first is handled at once, the second waits for the first answer,
    // and the fourth finds the third still waiting.
    EXPECT_EQ(LostOfABurst(1, 3), 0);
    EXPECT_EQ(LostOfABurst(1, 4), 1);
    EXPECT_EQ(LostOfABurst(2, 4), 0);
    EXPECT_EQ(LostOfABurst(16, 30), 0);
    EXPECT_GT(LostOfABurst(16, 40), 0);
}

TEST(PacedLineTest, EachDirectionKeepsItsOwnTime) {
    PacedLine line;
    const auto written = PacedLine::Clock::now();
    // Four requests at once: they arrive a byte apart, while the answers
    // follow each other on the way back without a gap.
    PacedLine::Clock::time_point due[4];
    for (auto& answer : due) {
        ASSERT_TRUE(line.ByteArrived(written));
        answer = line.ScheduleAnswer(2);
    }
    EXPECT_EQ(due[0] - written, 3 * ByteTime);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(due[i] - due[i - 1], 2 * ByteTime);

    // A stop-and-wait request, after the answers have come, starts afresh.
    const auto later = due[3] + 1ms;
    ASSERT_TRUE(line.ByteArrived(later));
    EXPECT_EQ(line.Now(), later + ByteTime);
    EXPECT_EQ(line.ScheduleAnswer(2), later + 3 * ByteTime);
}

} // namespace
} // namespace zeb40::sim
