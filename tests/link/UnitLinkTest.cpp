#include "tests/support/EmulatorFixture.h"

#include <atomic>
#include <chrono>

namespace zeb40 {
namespace {

using Clock = std::chrono::steady_clock;
using sim::Fault;

class UnitLinkTest : public test::EmulatorFixture {
  protected:
    void SetUp() override {
        EmulatorFixture::SetUp();
        ASSERT_TRUE(OpenLink());
    }
    static double SecondsSince(Clock::time_point start) {
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
};

TEST_F(UnitLinkTest, CommandsGoOutInTheWireFormat) {
    EXPECT_TRUE(link.Command('P', 12));
    EXPECT_TRUE(link.Command('C', 3));
    EXPECT_TRUE(link.CommandLetter('O'));
    ReplyCode code{};
    std::uint32_t value = 0;
    EXPECT_TRUE(link.Query('A', 0xFFFFFFFF, code, value));
    EXPECT_TRUE(link.Query('D', 0, code, value));
    unit.WaitForReceived(5, std::chrono::seconds(2));
    EXPECT_EQ(unit.ReceivedBytes(), "PC\rC3\rO\rAFFFFFFFF\rD0\r");
}

TEST_F(UnitLinkTest, ProbeSucceedsOnTheUnitAndFailsOtherwise) {
    EXPECT_TRUE(link.Probe());
    unit.AddFault(Fault::Refuse('\b', "OK", 1));
    EXPECT_FALSE(link.Probe());
    unit.AddFault(Fault::Of(Fault::Kind::SilentReply, '\b', 1));
    EXPECT_FALSE(link.Probe());
}

TEST_F(UnitLinkTest, SilentUnitCostsAboutOneSecondPerAwaitedByte) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 0));
    auto start = Clock::now();
    EXPECT_FALSE(link.Probe());
    double seconds = SecondsSince(start);
    EXPECT_GT(seconds, 0.9);
    EXPECT_LT(seconds, 3.0);
}

TEST_F(UnitLinkTest, VanishedDeviceFailsAtOnce) {
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'c'));
    ReplyCode code{};
    std::uint32_t value = 0;
    EXPECT_FALSE(link.Query('c', 12, code, value));
    auto start = Clock::now();
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(link.Command('P', 1));
    EXPECT_LT(SecondsSince(start), 1.0);
    EXPECT_TRUE(link.Lost());
    EXPECT_FALSE(link.OpenByName(unit.DevicePath()));
}

TEST_F(UnitLinkTest, SecondOpenOfTheSameUnitIsRefused) {
    UnitLink other;
    EXPECT_FALSE(other.OpenByName(unit.DevicePath()));
    link.Close();
    EXPECT_TRUE(other.OpenByName(unit.DevicePath()));
}

TEST_F(UnitLinkTest, CloseIfOpenOnAClosedPortDoesNothing) {
    EXPECT_TRUE(link.CloseIfOpen());
    EXPECT_FALSE(link.CloseIfOpen());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.OpenByName(""));
    EXPECT_FALSE(link.OpenByName("/dev/does-not-exist"));
}

TEST_F(UnitLinkTest, OpeningAnOpenPortAgainKeepsNoSecondLockBehind) {
    EXPECT_TRUE(OpenLink());
    EXPECT_TRUE(link.OpenByName(unit.DevicePath()));
    EXPECT_TRUE(link.Probe());
    link.Close();
    UnitLink other;
    EXPECT_TRUE(other.OpenByName(unit.DevicePath()));
}

TEST_F(UnitLinkTest, AStopEndsTheWorkBetweenCommands) {
    std::atomic<bool> stop{false};
    link.StopWhen(&stop);
    EXPECT_TRUE(link.Command('P', 12));
    // Asked for while a command goes out: that command still goes out whole.
    ASSERT_TRUE(link.SendLetter('O'));
    stop = true;
    char letter = 0;
    std::uint32_t value = 0;
    EXPECT_TRUE(link.ReadEcho(letter, value));
    ReplyCode code{};
    EXPECT_TRUE(link.ReadReply(code, value));
    auto start = Clock::now();
    EXPECT_FALSE(link.Command('C', 3));
    EXPECT_FALSE(link.Probe());
    EXPECT_LT(SecondsSince(start), 0.5); // failed as a lost line does, at once
    EXPECT_TRUE(link.Lost());
    unit.WaitForReceived(2, std::chrono::seconds(2));
    EXPECT_EQ(unit.ReceivedBytes(), "PC\rO\r");

    // Opened again, the link works until the next stop.
    stop = false;
    ASSERT_TRUE(OpenLink());
    EXPECT_FALSE(link.Lost());
    EXPECT_TRUE(link.Probe());
}

} // namespace
} // namespace zeb40
