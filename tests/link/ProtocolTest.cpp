// The protocol's logic on a fake line: echo and reply decoding, what a reply
// wait costs when the unit is silent, and what is left for the next exchange.

#include "tests/support/EmulatorFixture.h"

namespace zeb40 {
namespace {

using sim::Fault;

class ProtocolTest : public test::FakeLineFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(OpenLink()); }
    // Fake seconds a silent unit costs one CommandLetter('S').
    double SilentExchangeSeconds(ReplyWait wait = ReplyWait::Normal) {
        unit.AddFault(Fault::Of(Fault::Kind::Silent, 'S', 1));
        const auto start = clock.Now();
        EXPECT_FALSE(link.CommandLetter('S', wait));
        return SecondsSince(start);
    }
};

TEST_F(ProtocolTest, EchoMustMatchLetterAndValue) {
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

TEST_F(ProtocolTest, RefusalsAreDecodedAndHandedBack) {
    unit.AddFault(Fault::Refuse('B', "PI"));
    ReplyCode code{};
    std::uint32_t value = 99;
    EXPECT_TRUE(link.Query('B', 0x12, code, value));
    EXPECT_EQ(code, ReplyCode::PI);
    EXPECT_EQ(value, 0u);
    unit.AddFault(Fault::Refuse('C', "OV"));
    EXPECT_FALSE(link.Command('C', 5));
}

TEST_F(ProtocolTest, QuerySizesAreChecked) {
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

TEST_F(ProtocolTest, PairQueries) {
    unit.AddFault(Fault::Reply('e', "10203004, ABCD"));
    ReplyCode code{};
    std::uint32_t first = 0, second = 0;
    EXPECT_TRUE(link.QueryPair('e', 3, code, first, second));
    EXPECT_EQ(code, ReplyCode::ValuePair);
    EXPECT_EQ(first, 0x10203004u);
    EXPECT_EQ(second, 0xABCDu);
}

TEST_F(ProtocolTest, LongLinePutsTheNextExchangeOutOfStep) {
    unit.AddFault(Fault::Of(Fault::Kind::LongLine, 'c', 1));
    ReplyCode code{};
    std::uint32_t value = 0;
    EXPECT_TRUE(link.Query('c', 12, code, value)); // first 20 bytes parse as a number
    EXPECT_FALSE(link.Command('P', 1));            // the rest arrives as its echo
}

TEST_F(ProtocolTest, LfOnlyCodeIsUndecodable) {
    unit.AddFault(Fault::Of(Fault::Kind::LfOnly, 'O', 1));
    EXPECT_FALSE(link.CommandLetter('O'));
}

TEST_F(ProtocolTest, EachExchangeWaitsItsOwnTimeAndNoRaiseOutlivesIt) {
    EXPECT_DOUBLE_EQ(SilentExchangeSeconds(), 1.001);
    EXPECT_DOUBLE_EQ(SilentExchangeSeconds(ReplyWait::Reorganize), 5.001);
    EXPECT_DOUBLE_EQ(SilentExchangeSeconds(), 1.001);
    {
        RaisedReplyWait raised(link, ReplyWait::ProfileSave);
        EXPECT_DOUBLE_EQ(SilentExchangeSeconds(), 10.001);
        EXPECT_DOUBLE_EQ(SilentExchangeSeconds(ReplyWait::Reorganize), 10.001);
    }
    EXPECT_DOUBLE_EQ(SilentExchangeSeconds(), 1.001);
}

TEST_F(ProtocolTest, AnswersInsideTheWaitArriveAndLaterOnesDoNot) {
    unit.AddFault(Fault::Late('S', 1000, 1));
    EXPECT_TRUE(link.CommandLetter('S'));
    unit.AddFault(Fault::Late('S', 1002, 1));
    EXPECT_FALSE(link.CommandLetter('S'));
    link.Purge(); // the late lines would put the next exchange out of step
    unit.AddFault(Fault::Late('S', 4900, 1));
    EXPECT_TRUE(link.CommandLetter('S', ReplyWait::Reorganize));
}

TEST_F(ProtocolTest, PurgeDropsWhatWasReadAhead) {
    // The echo is read; its reply line arrived with it and waits for the next read.
    ASSERT_TRUE(link.SendCommand('c', 12));
    char letter = 0;
    std::uint32_t value = 0;
    ASSERT_TRUE(link.ReadEcho(letter, value));
    link.Purge();
    const auto start = clock.Now();
    Line line;
    EXPECT_FALSE(link.ReadLine(line));
    EXPECT_DOUBLE_EQ(SecondsSince(start), 1.001);
}

TEST_F(ProtocolTest, RawReadsTakeTheFlashWaitPerByteCount) {
    const auto start = clock.Now();
    EXPECT_EQ(link.ReadBytes(2, ReplyWait::FlashMode), "");
    EXPECT_DOUBLE_EQ(SecondsSince(start), 2.002);
}

TEST_F(ProtocolTest, EachExchangeTellsHowItFailed) {
    const auto outcome = [this](const Fault& fault) {
        unit.AddFault(fault);
        const LinkOutcome got = link.Command('C', 3).Outcome();
        EXPECT_TRUE(OpenLink()); // nothing of the failed exchange spoils the next
        return got;
    };
    EXPECT_EQ(outcome(Fault::Of(Fault::Kind::Silent, 'C', 1)), LinkOutcome::Silent);
    EXPECT_EQ(outcome(Fault::Of(Fault::Kind::SilentReply, 'C', 1)), LinkOutcome::Silent);
    EXPECT_EQ(outcome(Fault::Of(Fault::Kind::WrongEchoValue, 'C', 1)), LinkOutcome::BadEcho);
    EXPECT_EQ(outcome(Fault::Of(Fault::Kind::WrongEchoLetter, 'C', 1)), LinkOutcome::BadEcho);
    EXPECT_EQ(outcome(Fault::Reply('C', "zz", 1)), LinkOutcome::Garbled);
    EXPECT_EQ(outcome(Fault::Reply('C', "5", 1)), LinkOutcome::Garbled) << "a number is no OK";
    EXPECT_EQ(outcome(Fault::Of(Fault::Kind::LfOnly, 'C', 1)), LinkOutcome::Garbled);
    EXPECT_EQ(outcome(Fault::Late('C', 1500, 1)), LinkOutcome::Silent);

    unit.AddFault(Fault::Refuse('C', "OV", 1));
    EXPECT_EQ(link.Command('C', 3), LinkResult::Refused(ReplyCode::OV));
    EXPECT_EQ(link.Command('C', 3), LinkResult::Ok());

    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'S'));
    EXPECT_EQ(link.CommandLetter('S').Outcome(), LinkOutcome::Lost);
    EXPECT_EQ(link.Command('C', 3).Outcome(), LinkOutcome::Lost) << "and every exchange after";
}

TEST_F(ProtocolTest, QueriesHandTheCodeOverAndExpectingJudgesIt) {
    ReplyCode code{};
    std::uint32_t value = 0;
    unit.AddFault(Fault::Refuse('e', "NC", 1));
    const LinkResult refused = link.Query('e', 0x95, code, value);
    EXPECT_EQ(refused, LinkResult::Ok(ReplyCode::NC)) << "the exchange itself worked";
    EXPECT_EQ(refused.Expecting(ReplyCode::Value), LinkResult::Refused(ReplyCode::NC));
    const LinkResult number = link.Query('e', 0x95, code, value);
    EXPECT_EQ(number.Expecting(ReplyCode::Value), LinkResult::Ok(ReplyCode::Value));
    EXPECT_EQ(number.Expecting(ReplyCode::OK).Outcome(), LinkOutcome::Garbled);
    std::uint8_t byte = 0;
    unit.AddFault(Fault::Reply('c', "100", 1));
    EXPECT_EQ(link.QueryByte('c', 12, code, byte).Outcome(), LinkOutcome::Garbled);
    unit.AddFault(Fault::Refuse('\b', "NC", 1));
    EXPECT_EQ(link.Probe(), LinkResult::Refused(ReplyCode::NC));
    EXPECT_EQ(link.Probe(), LinkResult::Ok(ReplyCode::CO));
}

} // namespace
} // namespace zeb40
