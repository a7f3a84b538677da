// The unit's protocol over this system's serial port, against the emulated
// unit behind the COM ports that scripts/test-windows sets up under Wine:
// ZEB40_UNIT_PORT answers as a unit, ZEB40_GARBAGE_PORT answers 'e' with
// control bytes, ZEB40_SILENT_PORT answers nothing and ZEB40_UNPLUG_PORT
// hangs up on 'H'.

#include "link/UnitLink.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace zeb40 {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class UnitLinkOverComPortTest : public ::testing::Test {
  protected:
    void Open(const char* variable) {
        const char* name = std::getenv(variable);
        if (!name || !*name)
            GTEST_SKIP() << variable << " names no port; scripts/test-windows sets it";
        ASSERT_TRUE(link.OpenByName(name)) << link.OpenFailureDetail();
    }

    UnitLink link;
    ReplyCode code{};
    std::uint32_t value = 0;
};

TEST_F(UnitLinkOverComPortTest, ConnectsReadsAndWritesAsOnAnyPort) {
    Open("ZEB40_UNIT_PORT");
    ASSERT_TRUE(link.Probe());
    std::uint16_t version = 0;
    EXPECT_TRUE(link.QueryWord('e', unit_value::FirmwareVersion, code, version));
    EXPECT_EQ(code, ReplyCode::Value);
    EXPECT_NE(version, 0);
    EXPECT_TRUE(link.CommandLetter('O'));
    EXPECT_TRUE(link.Command('P', 12));
    EXPECT_TRUE(link.Command('C', 3));
    EXPECT_TRUE(link.CommandLetter('S'));
    std::uint8_t item = 0;
    EXPECT_TRUE(link.QueryByte('c', 12, code, item));
    EXPECT_EQ(item, 3);
    link.Close();
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(UnitLinkOverComPortTest, AListedEntryOpensTheComPortItNames) {
    const char* name = std::getenv("ZEB40_UNIT_PORT");
    if (!name || !*name)
        GTEST_SKIP() << "ZEB40_UNIT_PORT names no port";
    ASSERT_TRUE(link.OpenByName(std::string("Emulated Unit (") + name + ")"));
    EXPECT_TRUE(link.Probe());
}

TEST_F(UnitLinkOverComPortTest, GarbageFailsTheExchangeAndTheLinkGoesOn) {
    Open("ZEB40_GARBAGE_PORT");
    EXPECT_FALSE(link.Query('e', unit_value::FirmwareVersion, code, value));
    EXPECT_TRUE(link.Probe());
    EXPECT_FALSE(link.Lost());
}

TEST_F(UnitLinkOverComPortTest, ASilentUnitFailsTheProbeAfterAboutASecond) {
    Open("ZEB40_SILENT_PORT");
    const auto start = Clock::now();
    EXPECT_FALSE(link.Probe());
    const double seconds = SecondsSince(start);
    EXPECT_GT(seconds, 0.9);
    EXPECT_LT(seconds, 3.0);
    EXPECT_FALSE(link.Lost());
}

TEST_F(UnitLinkOverComPortTest, AnUnpluggedUnitFailsEveryExchangeAtOnce) {
    Open("ZEB40_UNPLUG_PORT");
    ASSERT_TRUE(link.Probe());
    EXPECT_FALSE(link.CommandLetter('H'));
    EXPECT_TRUE(link.Lost());
    const auto start = Clock::now();
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(link.Command('P', 1));
    EXPECT_LT(SecondsSince(start), 1.0);
}

} // namespace
} // namespace zeb40
