#include "config/TimecodeCommands.h"

#include "sim/Fault.h"
#include "sim/TimecodeGenerator.h"
#include "tests/support/EmulatorFixture.h"

#include <thread>

namespace zeb40 {
namespace {

using sim::Fault;

TEST(TimecodeCommandsTest, CaptionShowsBcdBytesAndEightDigitUserBits) {
    EXPECT_EQ(TimecodeCaption(0x10203004, 0xABCD), "10:20:30:04  0000ABCD");
    EXPECT_EQ(TimecodeCaption(0, 0xFFFFFFFF), "00:00:00:00  FFFFFFFF");
    EXPECT_EQ(TimecodeWord(23, 59, 58, 24), 0x23595824u);
}

TEST(TimecodeCommandsTest, UserBitsAreReadLikeEightHexDigits) {
    EXPECT_EQ(ParseUserBits("12ab"), 0x12ABu);
    EXPECT_EQ(ParseUserBits("  ff"), 0xFFu);
    EXPECT_EQ(ParseUserBits("12g4"), 0x12u);
    EXPECT_EQ(ParseUserBits("123456789"), 0x12345678u);
    EXPECT_FALSE(ParseUserBits(""));
    EXPECT_FALSE(ParseUserBits("xyz"));
}

class TimecodeUnitTest : public test::EmulatorFixture {
  protected:
    void SetUp() override {
        EmulatorFixture::SetUp();
        ASSERT_TRUE(OpenLink());
    }
};

TEST_F(TimecodeUnitTest, GeneratorRunsFromTheTimeSetAtItsFrameRate) {
    SetGenerator(link, TimecodeWord(10, 0, 0, 0), "abcd");
    std::this_thread::sleep_for(std::chrono::milliseconds(450));
    std::string caption;
    ASSERT_TRUE(ReadTimecode(link, TimecodeSource::Generator, caption));
    ASSERT_EQ(caption.substr(0, 6), "10:00:");
    const int frames = std::stoi(caption.substr(6, 2)) * 25 + std::stoi(caption.substr(9, 2));
    EXPECT_GE(frames, 11) << "450 ms at 25 frames per second";
    EXPECT_LT(frames, 5 * 25);
    EXPECT_EQ(caption.substr(11), "  0000ABCD");
    // The preset went into items 24-27, frames first.
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items[27], 0x10);
    EXPECT_EQ(unit.State().items[24], 0x00);
}

TEST_F(TimecodeUnitTest, ReaderReadsTheGeneratorWithItsOwnUserBits) {
    unit.Configure("reader-userbits", "1234");
    ASSERT_TRUE(link.Command('A', 0x01020300));
    std::string caption;
    ASSERT_TRUE(ReadTimecode(link, TimecodeSource::Reader, caption));
    EXPECT_EQ(caption.substr(0, 8), "01:02:03");
    EXPECT_EQ(caption.substr(11), "  00001234");
}

TEST_F(TimecodeUnitTest, FrameRateFollowsItem12AndWrapsAtMidnight) {
    {
        auto lock = unit.Lock();
        unit.State().items[12] = 2; // 30 frames
    }
    ASSERT_TRUE(link.Command('A', 0x23595925));
    std::string caption;
    ASSERT_TRUE(ReadTimecode(link, TimecodeSource::Generator, caption));
    EXPECT_EQ(caption.substr(0, 10), "23:59:59:2") << "frame 25 exists at 30 per second";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(ReadTimecode(link, TimecodeSource::Generator, caption));
    EXPECT_EQ(caption.substr(0, 6), "00:00:");
}

TEST_F(TimecodeUnitTest, OneValueOrRefusalIsNoCaption) {
    std::string caption = "kept";
    unit.AddFault(Fault::Reply('e', "10203004", 1).OnValue(3));
    EXPECT_EQ(ReadTimecode(link, TimecodeSource::Reader, caption).Outcome(), LinkOutcome::Garbled);
    unit.AddFault(Fault::Refuse('e', "OV", 1).OnValue(0x23));
    EXPECT_EQ(ReadTimecode(link, TimecodeSource::Generator, caption),
              LinkResult::Refused(ReplyCode::OV));
    EXPECT_EQ(caption, "kept");
}

} // namespace
} // namespace zeb40
