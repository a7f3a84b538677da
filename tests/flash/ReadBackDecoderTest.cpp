#include "flash/ReadBackDecoder.h"

#include "flash/ProgrammingPiece.h"
#include "sim/Base64.h"
#include "sim/FlashPackageWriter.h"

#include <cstdio>
#include <deque>
#include <gtest/gtest.h>

namespace zeb40 {
namespace {

// A unit that answers "9" from memory and records how the requests went out.
class FakeUnit : public ReadBackPeer {
  public:
    explicit FakeUnit(std::vector<std::uint8_t> memory) : memory_(std::move(memory)) {}
    void RequestBytes(std::size_t count) override {
        writes.push_back(count);
        for (std::size_t i = 0; i < count; ++i) {
            char hex[3] = "--";
            if (next_ < memory_.size())
                std::snprintf(hex, sizeof hex, lowercase ? "%02x" : "%02X", memory_[next_]);
            ++next_;
            pending_.push_back(hex);
        }
    }
    std::string ReadReply() override {
        if (pending_.empty())
            return ""; // nothing requested: the read times out
        std::string reply = pending_.front();
        pending_.pop_front();
        return reply;
    }
    std::vector<std::size_t> writes; // "9" characters per write
    bool lowercase = false;

  private:
    std::vector<std::uint8_t> memory_;
    std::size_t next_ = 0;
    std::deque<std::string> pending_;
};

// Feeds the pieces until the decoder says the read-back is complete.
bool Verify(ReadBackDecoder& decoder, FakeUnit& unit, const std::vector<std::string>& pieces) {
    for (const auto& piece : pieces) {
        if (decoder.WorkOnPiece(piece, unit))
            return true;
    }
    return false;
}

TEST(ReadBackDecoderTest, PadCharactersSendRequestsAhead) {
    FakeUnit unit({'A', 'B'});
    ReadBackDecoder decoder(true);
    EXPECT_TRUE(Verify(decoder, unit, {"QUI=\n"}));
    EXPECT_TRUE(decoder.Passed());
    EXPECT_EQ(unit.writes, (std::vector<std::size_t>{2}));

    FakeUnit single({'A'});
    ReadBackDecoder second(true);
    EXPECT_TRUE(Verify(second, single, {"QQ==\n"}));
    EXPECT_TRUE(second.Passed());
    EXPECT_EQ(single.writes, (std::vector<std::size_t>{1}));
}

TEST(ReadBackDecoderTest, LongDataComparesEveryByteAcrossLinesAndPieces) {
    std::vector<std::uint8_t> image(301);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 31 + 7);
    const std::string data = sim::Base64Encode(image);
    // Lines of 78 (not a multiple of 4) and a piece boundary inside a line of 100.
    std::vector<std::string> pieces = {data.substr(0, 78) + "\n", data.substr(78, 79),
                                       data.substr(157, 21) + "\n", data.substr(178) + "\n"};
    FakeUnit unit(image);
    ReadBackDecoder decoder(true);
    EXPECT_TRUE(Verify(decoder, unit, pieces));
    EXPECT_TRUE(decoder.Passed());
    EXPECT_EQ(decoder.BytesCompared(), image.size());
    // At most 4 requests go ahead at once, only on the line with the pad.
    for (std::size_t count : unit.writes)
        EXPECT_LE(count, 4u);
}

TEST(ReadBackDecoderTest, EmptyLineEndsDataWithoutPad) {
    FakeUnit unit({'A', 'B', 'C'});
    ReadBackDecoder decoder(true);
    EXPECT_FALSE(decoder.WorkOnPiece("  QUJD\n", unit)); // leading blanks skipped
    EXPECT_TRUE(decoder.WorkOnPiece("   \n", unit));
    EXPECT_TRUE(decoder.Passed());
    EXPECT_EQ(unit.writes, (std::vector<std::size_t>{1, 1, 1}));
}

TEST(ReadBackDecoderTest, TrailingBlanksEndTheDecodingOfTheirLineOnly) {
    FakeUnit unit({'A', 'B', 'C', 'A', 'B', 'C'});
    ReadBackDecoder decoder(true);
    EXPECT_TRUE(Verify(decoder, unit, {"QUJD  \n", "QUJD\n", "\n"}));
    EXPECT_TRUE(decoder.Passed());
    EXPECT_EQ(decoder.BytesCompared(), 6u);
}

TEST(ReadBackDecoderTest, MismatchOrLowercaseFails) {
    FakeUnit wrong({'A', 'X', 'C'});
    ReadBackDecoder decoder(true);
    EXPECT_TRUE(Verify(decoder, wrong, {"QUJD\n", "\n"}));
    EXPECT_FALSE(decoder.Passed());
    EXPECT_EQ(decoder.BytesCompared(), 2u);

    FakeUnit lower({0x4F});
    lower.lowercase = true;
    ReadBackDecoder second(true);
    EXPECT_TRUE(Verify(second, lower, {"Tw==\n"}));
    EXPECT_FALSE(second.Passed());
}

TEST(ReadBackDecoderTest, ProgrammingResultCountsOnlyUntilTheFirstComparison) {
    FakeUnit unit({'A', 'B', 'C'});
    ReadBackDecoder decoder(false);
    EXPECT_TRUE(Verify(decoder, unit, {"QUJD\n", "\n"}));
    EXPECT_TRUE(decoder.Passed());

    FakeUnit nothing({});
    ReadBackDecoder empty(false);
    EXPECT_TRUE(Verify(empty, nothing, {"\n"}));
    EXPECT_FALSE(empty.Passed());
}

TEST(ReadBackDecoderTest, ArbitraryPiecesNeverOverrunTheRequests) {
    // Garbage of every kind: the decoder ends every piece and reads only what it asked for.
    const std::vector<std::string> pieces = {
        "====\n", "=\n", "A=B=\n", "\x01\xff\n", std::string(79, 'A'), "AB CD=\n", "", "Q"};
    for (const auto& piece : pieces) {
        FakeUnit unit(std::vector<std::uint8_t>(100, 0));
        ReadBackDecoder decoder(true);
        decoder.WorkOnPiece(piece, unit);
        std::size_t requested = 0;
        for (auto count : unit.writes)
            requested += count;
        EXPECT_GE(requested, decoder.BytesCompared()) << piece;
    }
}

TEST(ProgrammingPieceTest, SendsWhatTheUnitProgramsAndFindsTheEnd) {
    using End = ProgrammingPiece::End;
    auto check = [](std::string_view piece, std::string_view text, End end) {
        ProgrammingPiece part = SplitProgrammingPiece(piece);
        EXPECT_EQ(part.text, text) << piece;
        EXPECT_EQ(part.end, end) << piece;
    };
    check("  QUJD\n", "QUJD", End::More);
    check("QUJD  \n", "QUJD  ", End::More); // trailing blanks are sent
    check("QUI=\n", "QUI=", End::Equals);
    check("QQ==\n", "QQ==", End::Equals);
    check("QQ==  \n", "QQ=", End::Equals);
    check(" \t \n", "", End::EmptyLine);
    check("\n", "", End::EmptyLine);
    check(std::string(79, 'A'), std::string(79, 'A'), End::More);
}

} // namespace
} // namespace zeb40
