#include "services/UserCode.h"
#include "tests/support/EmulatorFixture.h"

namespace zeb40 {
namespace {

using sim::Fault;

TEST(UserCodeWord, DigitsFollowedByTwoZerosReadAsHex) {
    EXPECT_EQ(UserCodeWordFromText("1234"), 0x123400u);
    EXPECT_EQ(UserCodeWordFromText("12x4"), 0x12u);
    EXPECT_EQ(UserCodeWordFromText("123456789"), 0x45678900u) << "cut to 32 bits as \"%x\" does";
    EXPECT_FALSE(UserCodeWordFromText("xyz"));
    EXPECT_EQ(UserCodeWord(0), 0u);
    EXPECT_EQ(UserCodeWord(7), 0x700u);
    EXPECT_EQ(UserCodeWord(42), 0x4200u);
    EXPECT_EQ(UserCodeWord(9999), 0x999900u);
}

class UnattendedTest : public test::EmulatorFixture {};

TEST_F(UnattendedTest, SendsAZeroThenTheCode) {
    UnattendedResult result = DownloadUserCode(link, unit.DevicePath(), "4711");
    EXPECT_TRUE(result.ok) << result.failure;
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b", "A0", "D471100"}));
    EXPECT_FALSE(link.IsOpen());
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().userCode, 0x471100u);
}

TEST_F(UnattendedTest, RefusedAIsNeverFollowedByD) {
    unit.AddFault(Fault::Refuse('A', "PR"));
    UnattendedResult result = DownloadUserCode(link, unit.DevicePath(), "4711");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.failure.find("'A'"), std::string::npos);
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b", "A0"}));
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(UnattendedTest, EachFailureIsNamed) {
    EXPECT_NE(DownloadUserCode(link, "/dev/zeb40-nothing", "1").failure.find("can't open port"),
              std::string::npos);
    EXPECT_NE(DownloadUserCode(link, unit.DevicePath(), "zz").failure.find("not a number"),
              std::string::npos);
    unit.AddFault(Fault::Refuse('D', "UC", 1));
    EXPECT_NE(DownloadUserCode(link, unit.DevicePath(), "1").failure.find("user code"),
              std::string::npos);
    unit.AddFault(Fault::Of(Fault::Kind::Silent, '\b'));
    EXPECT_NE(DownloadUserCode(link, unit.DevicePath(), "1").failure.find("no ZEB40"),
              std::string::npos);
    EXPECT_FALSE(link.IsOpen());
}

} // namespace
} // namespace zeb40
