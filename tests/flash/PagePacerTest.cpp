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
        EXPECT_EQ(pacer.Send(text), text.size());
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
    EXPECT_EQ(pacer.Send("AB"), 2u);
    stop = true;
    EXPECT_EQ(pacer.Send("CDEF"), 2u);
    EXPECT_TRUE(link.Lost());
    EXPECT_EQ(unit.ReceivedBytes(), "ABCD");
}

TEST_F(PagePacerTest, AWriteHeldUpIsResumedWhereTheLineStopped) {
    // The pause after the character completing 2000h ends the first write; the
    // line takes one character of the next and holds. Sending the rest again
    // from where it stopped gives the unit every character once and the pause
    // once.
    PagePacer pacer(unitLine, 0x2000, 300ms);
    line->StallAfter(3, 500ms);
    const auto start = clock.Now();
    std::string_view rest = "ABCDEFGH";
    for (int tries = 0; !rest.empty() && tries < 20; ++tries)
        rest.remove_prefix(pacer.Send(rest));
    EXPECT_EQ(unit.ReceivedBytes(), "ABCDEFGH");
    EXPECT_NEAR(1000 * SecondsSince(start), 300 + 2 * 10 / 38.4 + 500, 0.01);
}

} // namespace
} // namespace zeb40
