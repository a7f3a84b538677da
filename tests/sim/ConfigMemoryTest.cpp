#include "sim/ConfigMemory.h"

#include "config/ConfigItemTable.h"
#include "tests/support/EmulatorFixture.h"

#include <chrono>

namespace zeb40 {
namespace {

class ConfigMemoryTest : public test::EmulatorFixture {
  protected:
    void SetUp() override {
        EmulatorFixture::SetUp();
        ASSERT_TRUE(OpenLink());
        ASSERT_TRUE(unit.Configure("reorganize-ms", "50"));
    }
    ItemStatus Status() {
        ReplyCode code{};
        std::uint32_t word = 0;
        EXPECT_TRUE(link.Query('e', unit_value::ItemStatus, code, word));
        EXPECT_EQ(code, ReplyCode::Value);
        return ItemStatus::FromWord(word);
    }
    bool Write(int item, std::uint32_t value) {
        return link.Command('P', static_cast<std::uint32_t>(item)) && link.Command('C', value);
    }
};

TEST_F(ConfigMemoryTest, StartsWithTheFactorySettingsAndAnEmptyMemory) {
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items, DefaultConfigItemTable());
    lock.unlock();
    const ItemStatus status = Status();
    EXPECT_EQ(status.capacity, 64);
    EXPECT_EQ(status.inUse, 0);
}

TEST_F(ConfigMemoryTest, EveryAcceptedWriteUsesASlotUntilNoneIsLeft) {
    ASSERT_TRUE(unit.Configure("capacity", "3"));
    EXPECT_TRUE(Write(12, 1));
    EXPECT_FALSE(Write(12, 255)) << "refused writes use no slot";
    EXPECT_TRUE(link.Command('P', 24));
    EXPECT_TRUE(link.Command('L', 0x10203040));
    EXPECT_EQ(Status().inUse, 2);
    EXPECT_TRUE(Write(13, 1));
    EXPECT_TRUE(Status().NoneLeft());

    ReplyCode code{};
    std::uint32_t value = 0;
    ASSERT_TRUE(link.Command('P', 14));
    ASSERT_TRUE(link.Query('C', 2, code, value));
    EXPECT_EQ(code, ReplyCode::OV);
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items[14], 0) << "the refused write is not stored";
    EXPECT_EQ(unit.State().items[12], 1);
}

TEST_F(ConfigMemoryTest, ReorganisationKeepsTheUnitBusyAndFreesTheSlots) {
    ASSERT_TRUE(unit.Configure("capacity", "1"));
    ASSERT_TRUE(unit.Configure("reorganize-ms", "300"));
    ASSERT_TRUE(Write(12, 2));
    EXPECT_FALSE(Write(13, 1));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(link.CommandLetter('Q'));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(Status().inUse, 0);
    EXPECT_TRUE(Write(13, 1));
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items[12], 2) << "reorganising keeps the settings";
}

TEST_F(ConfigMemoryTest, SettingsMustBeDecimalNumbersInRange) {
    EXPECT_FALSE(unit.Configure("capacity", "256"));
    EXPECT_FALSE(unit.Configure("capacity", "-1"));
    EXPECT_FALSE(unit.Configure("capacity", "0x40"));
    EXPECT_FALSE(unit.Configure("capacity", ""));
    EXPECT_FALSE(unit.Configure("reorganize-ms", "soon"));
    EXPECT_TRUE(unit.Configure("capacity", "255"));
    EXPECT_EQ(Status().capacity, 255);
}

} // namespace
} // namespace zeb40
