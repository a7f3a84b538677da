#include "flash/PagePacer.h"

#include "tests/support/EmulatorFixture.h"

#include <atomic>

namespace zeb40 {
namespace {

using namespace std::chrono_literals;

class PagePacerTest : public test::FakeLineFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(OpenLink()); }
    // Fake milliseconds that sending text through a fresh pacer takes.
    double Milliseconds(PagePacer& pacer, std::string_view text) {
        const auto start = clock.Now();
        for (char c : text)
            EXPECT_TRUE(pacer.Send(c));
        return 1000 * SecondsSince(start);
    }
    FlashModeLink unitLine{link};
};

TEST_F(PagePacerTest, PausesOnceWhenAGroupCompletesAPageAtOrBelow4000h) {
    PagePacer pacer(unitLine, 0x2000, 300ms);
    // The second character completes the byte at 2000h: the two characters
    // are given their wire time, then the pause.
    EXPECT_NEAR(Milliseconds(pacer, "AB"), 300 + 2 * 10 / 38.4, 0.01);
    // The rest of the page goes out without a pause.
    EXPECT_DOUBLE_EQ(Milliseconds(pacer, "CDEFGH"), 0);
    EXPECT_EQ(unit.ReceivedBytes(), "ABCDEFGH");

    PagePacer high(unitLine, 0x4001, 300ms);
    EXPECT_DOUBLE_EQ(Milliseconds(high, std::string(400, 'A')), 0);
}

TEST_F(PagePacerTest, EveryPageUpTo4000hGetsItsPause) {
    PagePacer pacer(unitLine, 0x2000, 80ms);
    // 2000h to 4000h holds 65 page starts. 4 characters stand for 3 bytes, so
    // the byte at 4000h is completed by character 10924; the line has carried
    // them all before the last pause, and nothing is paused after it.
    const std::string data(12000, 'A');
    EXPECT_NEAR(Milliseconds(pacer, data), 65 * 80 + 10924 * 10 / 38.4, 0.05);
}

TEST_F(PagePacerTest, AStopEndsProgrammingOnlyWhereAGroupOfFourBegins) {
    std::atomic<bool> stop{false};
    link.StopWhen(&stop);
    PagePacer pacer(unitLine, 0x5000, 80ms);
    EXPECT_TRUE(pacer.Send('A'));
    EXPECT_TRUE(pacer.Send('B'));
    stop = true;
    EXPECT_TRUE(pacer.Send('C'));
    EXPECT_TRUE(pacer.Send('D'));
    EXPECT_FALSE(pacer.Send('E'));
    EXPECT_TRUE(link.Lost());
    EXPECT_EQ(unit.ReceivedBytes(), "ABCD");
}

} // namespace
} // namespace zeb40
