#include "tests/support/EmulatorFixture.h"

namespace zeb40 {
namespace {

class FaultSettingsTest : public test::EmulatorFixture {
  protected:
    void SetUp() override {
        EmulatorFixture::SetUp();
        ASSERT_TRUE(OpenLink());
    }
};

TEST_F(FaultSettingsTest, FaultsFromTheCommandLineStrikeOnlyTheirLetter) {
    ASSERT_TRUE(unit.Configure("fault", "reply:e:xyz"));
    ASSERT_TRUE(unit.Configure("fault", "silent:c"));
    ReplyCode code{};
    std::uint32_t value = 0;
    std::uint8_t item = 0;
    EXPECT_FALSE(link.Query('e', unit_value::FirmwareVersion, code, value));
    EXPECT_FALSE(link.QueryByte('c', 12, code, item));
    EXPECT_TRUE(link.Probe());
    EXPECT_TRUE(link.Command('P', 12));
}

TEST_F(FaultSettingsTest, HangUpClosesTheLine) {
    ASSERT_TRUE(unit.Configure("fault", "hang-up:H"));
    ASSERT_TRUE(link.Probe());
    EXPECT_FALSE(link.CommandLetter('H'));
    EXPECT_TRUE(unit.HungUp());
    EXPECT_TRUE(link.Lost());
}

TEST_F(FaultSettingsTest, OnlyWellFormedFaultsAreTaken) {
    for (const char* malformed : {"silent", "silent:", "silent:cc", "reply:e", "late:c:soon",
                                  "late:c:-1", "hang-up:H:now", "melt:c"})
        EXPECT_FALSE(unit.Configure("fault", malformed)) << malformed;
    EXPECT_TRUE(unit.Configure("fault", "late:any:5"));
    EXPECT_TRUE(unit.Configure("fault", "lf-only:probe"));
}

} // namespace
} // namespace zeb40
