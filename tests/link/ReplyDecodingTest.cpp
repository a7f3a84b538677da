#include "link/ReplyDecoding.h"

#include "link/UnitLink.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

TEST(HexText, UpperCaseWithoutLeadingZeros) {
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(HexText(255), "FF");
    EXPECT_EQ(HexText(0xFFFFFFFF), "FFFFFFFF");
    EXPECT_EQ(HexText(0x123400), "123400");
}

TEST(DecodeEcho, LetterAndValue) {
    auto echo = DecodeEcho("C3\r\n");
    ASSERT_TRUE(echo);
    EXPECT_EQ(echo->letter, 'C');
    EXPECT_EQ(echo->value, 3u);
    echo = DecodeEcho("O\r\n");
    EXPECT_EQ(echo->letter, 'O');
    EXPECT_EQ(echo->value, 0u);
    EXPECT_EQ(DecodeEcho("cff\r\n")->value, 0xFFu);
    EXPECT_FALSE(DecodeEcho(""));
}

TEST(DecodeReply, CodesComeBeforeNumbers) {
    auto ok = DecodeReply("OK\r\n", false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->code, ReplyCode::OK);
    EXPECT_EQ(ok->value, 0u);
    auto ab = DecodeReply("AB\r\n", false);
    ASSERT_TRUE(ab);
    EXPECT_EQ(ab->code, ReplyCode::Value);
    EXPECT_EQ(ab->value, 0xABu);
    for (const char* code : {"PI", "PR", "PM", "AR", "CO", "OV", "OP", "CL", "NC", "UC"}) {
        auto reply = DecodeReply(std::string(code) + "\r\n", false);
        ASSERT_TRUE(reply) << code;
        EXPECT_STREQ(ReplyCodeName(reply->code), code);
    }
}

TEST(DecodeReply, CodeNeedsCrLfAndExactCase) {
    EXPECT_FALSE(DecodeReply("OK\n", false));
    EXPECT_FALSE(DecodeReply("ok\r\n", false));
    EXPECT_FALSE(DecodeReply("\r\n", false));
}

TEST(DecodeReply, PairOnlyWithSecondSlot) {
    auto pair = DecodeReply("1A2B, 3C4D\r\n", true);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->code, ReplyCode::ValuePair);
    EXPECT_EQ(pair->value, 0x1A2Bu);
    EXPECT_EQ(pair->second, 0x3C4Du);
    auto single = DecodeReply("1A2B, 3C4D\r\n", false);
    ASSERT_TRUE(single);
    EXPECT_EQ(single->code, ReplyCode::Value);
    EXPECT_EQ(single->value, 0x1A2Bu);
    EXPECT_EQ(DecodeReply("10,20\r\n", true)->code, ReplyCode::ValuePair);
    EXPECT_EQ(DecodeReply("10\r\n", true)->code, ReplyCode::Value);
}

TEST(DecodeReply, UntrustedBytesNeverOverflow) {
    EXPECT_EQ(DecodeReply("123456789ABCDEF0123\n", false)->value, 0xFFFFFFFFu);
    EXPECT_EQ(DecodeReply("123456789\r\n", false)->value, 0x23456789u) << "cut to 32 bits";
    EXPECT_FALSE(DecodeReply(std::string("\0AB\r\n", 5), false));
    EXPECT_FALSE(DecodeReply("\xff\xfe\x80\r\n", false));
    EXPECT_EQ(DecodeReply("  -1\r\n", false)->value, 0xFFFFFFFFu);
}

} // namespace
} // namespace zeb40
