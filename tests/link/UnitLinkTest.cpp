#include "tests/support/EmulatorFixture.h"

#include <atomic>
#include <chrono>
#include <thread>

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

TEST_F(UnitLinkTest, EchoMustMatchLetterAndValue) {
    unit.AddFault(Fault::Of(Fault::Kind::WrongEchoValue, 'C', 1));
    EXPECT_FALSE(link.Command('C', 3));
    ASSERT_TRUE(OpenLink());
    unit.AddFault(Fault::Of(Fault::Kind::WrongEchoLetter, 'C', 1));
    EXPECT_FALSE(link.Command('C', 3));
    ASSERT_TRUE(OpenLink());
    // CommandLetter ignores the echoed value.
    unit.AddFault(Fault::Of(Fault::Kind::WrongEchoValue, 'S', 1));
    EXPECT_TRUE(link.CommandLetter('S'));
    EXPECT_TRUE(link.Command('C', 3));
}

TEST_F(UnitLinkTest, RefusalsAreDecodedAndHandedBack) {
    unit.AddFault(Fault::Refuse('B', "PI"));
    ReplyCode code{};
    std::uint32_t value = 99;
    EXPECT_TRUE(link.Query('B', 0x12, code, value));
    EXPECT_EQ(code, ReplyCode::PI);
    EXPECT_EQ(value, 0u);
    unit.AddFault(Fault::Refuse('C', "OV"));
    EXPECT_FALSE(link.Command('C', 5));
}

TEST_F(UnitLinkTest, QuerySizesAreChecked) {
    ReplyCode code{};
    std::uint8_t byte = 7;
    unit.AddFault(Fault::Reply('c', "100", 1));
    EXPECT_FALSE(link.QueryByte('c', 12, code, byte));
    EXPECT_EQ(code, ReplyCode::Value);
    EXPECT_EQ(byte, 7);
    std::uint16_t word = 7;
    unit.AddFault(Fault::Reply('e', "10000", 1));
    EXPECT_FALSE(link.QueryWord('e', 0x99, code, word));
    EXPECT_EQ(word, 7);
    EXPECT_TRUE(link.QueryWord('e', 0x99, code, word));
    EXPECT_EQ(word, 0x0346);
}

TEST_F(UnitLinkTest, PairQueries) {
    unit.AddFault(Fault::Reply('e', "10203004, ABCD"));
    ReplyCode code{};
    std::uint32_t first = 0, second = 0;
    EXPECT_TRUE(link.QueryPair('e', 3, code, first, second));
    EXPECT_EQ(code, ReplyCode::ValuePair);
    EXPECT_EQ(first, 0x10203004u);
    EXPECT_EQ(second, 0xABCDu);
}

TEST_F(UnitLinkTest, LongLinePutsTheNextExchangeOutOfStep) {
    unit.AddFault(Fault::Of(Fault::Kind::LongLine, 'c', 1));
    ReplyCode code{};
    std::uint32_t value = 0;
    EXPECT_TRUE(link.Query('c', 12, code, value)); // first 20 bytes parse as a number
    EXPECT_FALSE(link.Command('P', 1));            // the rest arrives as its echo
}

TEST_F(UnitLinkTest, LfOnlyCodeIsUndecodable) {
    unit.AddFault(Fault::Of(Fault::Kind::LfOnly, 'O', 1));
    EXPECT_FALSE(link.CommandLetter('O'));
}

TEST_F(UnitLinkTest, SilentUnitCostsAboutOneSecondPerAwaitedByte) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 0));
    auto start = Clock::now();
    EXPECT_FALSE(link.Probe());
    double seconds = SecondsSince(start);
    EXPECT_GT(seconds, 0.9);
    EXPECT_LT(seconds, 3.0);
}

TEST_F(UnitLinkTest, RaisedReadTimeoutWaitsForABusyUnit) {
    EXPECT_EQ(link.SetReadTimeout(5000), 1000);
    unit.AddFault(Fault::Late('S', 1500, 1));
    EXPECT_TRUE(link.CommandLetter('S'));
    EXPECT_EQ(link.SetReadTimeout(1000), 5000);
    ASSERT_TRUE(OpenLink());
    EXPECT_EQ(link.Timeouts().readTotalConstantMs, 1000);
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

TEST_F(UnitLinkTest, WritePacedPausesOnceAtThePageBoundary) {
    std::uint16_t address = 0x2000;
    auto start = Clock::now();
    EXPECT_TRUE(link.WritePaced("ABCDEFGH", 8, 300, address));
    EXPECT_GT(SecondsSince(start), 0.28);
    EXPECT_LT(SecondsSince(start), 0.6);
    EXPECT_EQ(address, 0x2006);
    EXPECT_EQ(link.GroupCounter(), 0);

    address = 0x4001;
    start = Clock::now();
    EXPECT_TRUE(link.WritePaced("ABCDEFGH", 8, 300, address));
    EXPECT_LT(SecondsSince(start), 0.25);
    EXPECT_TRUE(link.WritePaced("", 0, 300, address));
}

TEST_F(UnitLinkTest, OpenByNameResetsTheGroupCounter) {
    std::uint16_t address = 0x5000;
    EXPECT_TRUE(link.WritePaced("AB", 2, 80, address));
    EXPECT_EQ(link.GroupCounter(), 2);
    ASSERT_TRUE(OpenLink());
    EXPECT_EQ(link.GroupCounter(), 0);
}

TEST_F(UnitLinkTest, AStopEndsTheWorkBetweenCommandsAndPacedGroups) {
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

    // Programmed characters stop only where a group of four begins.
    stop = false;
    ASSERT_TRUE(OpenLink());
    std::uint16_t address = 0x5000;
    EXPECT_TRUE(link.WritePaced("AB", 2, 80, address));
    stop = true;
    EXPECT_TRUE(link.WritePaced("CD", 2, 80, address));
    EXPECT_FALSE(link.WritePaced("EF", 2, 80, address));
    // The unit reads on its own thread: give it the time to see what came.
    const auto deadline = Clock::now() + std::chrono::seconds(2);
    while (!unit.ReceivedBytes().ends_with("ABCD") && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(unit.ReceivedBytes().ends_with("ABCD"));
}

} // namespace
} // namespace zeb40
