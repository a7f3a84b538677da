#include "config/ConfigEditor.h"
#include "config/ItemDescriptions.h"
#include "link/UnitLink.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

namespace zeb40 {
namespace {

using sim::Fault;

class ReadConfigFromUnitTest : public test::FakeLineFixture {
  protected:
    void SetUp() override {
        FakeLineFixture::SetUp();
        auto lock = unit.Lock();
        for (int item : ReadOrder())
            unit.State().items[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(item);
    }
    // A table whose settings differ from what the unit holds.
    static ConfigItemTable Marked() {
        ConfigItemTable table{};
        table.fill(0xEE);
        return table;
    }
    bool Read(const std::string& path = "") {
        return ReadConfigFromUnit(link, table, path, op).IsOk();
    }

    ConfigItemTable table = Marked();
    test::ScriptedOperator op;
};

TEST_F(ReadConfigFromUnitTest, ReadsTheSettingsInTheUnitsOrder) {
    ASSERT_TRUE(OpenLink());
    EXPECT_TRUE(Read());
    std::vector<std::string> expected;
    for (int item : ReadOrder())
        expected.push_back("c" + HexText(static_cast<std::uint32_t>(item)));
    EXPECT_EQ(ReceivedTexts(), expected);
    for (int i = 0; i < 100; ++i) {
        const bool setting = FindItem(i) != nullptr;
        EXPECT_EQ(table[i], setting ? i : 0xEE) << "byte " << i;
    }
    EXPECT_EQ(op.waitCount, 1);
    EXPECT_EQ(op.waitDepth, 0);
}

TEST_F(ReadConfigFromUnitTest, NamedFileOrClosedLinkKeepsTheTable) {
    EXPECT_TRUE(Read());
    ASSERT_TRUE(OpenLink());
    EXPECT_TRUE(Read("/tmp/settings.zeb"));
    EXPECT_TRUE(unit.Received().empty());
    EXPECT_EQ(table, Marked());
    EXPECT_EQ(op.waitCount, 0);
}

TEST_F(ReadConfigFromUnitTest, RefusalStopsTheReadAndKeepsTheRefusedItem) {
    ASSERT_TRUE(OpenLink());
    unit.AddFault(Fault::Refuse('c', "OV").OnValue(44));
    EXPECT_FALSE(Read());
    bool before = true;
    for (int item : ReadOrder()) {
        if (item == 44)
            before = false;
        EXPECT_EQ(table[item], before ? item : 0xEE) << "item " << item;
    }
    EXPECT_EQ(ReceivedTexts().back(), "c2C");
    EXPECT_EQ(op.waitDepth, 0);
    EXPECT_TRUE(op.messages.empty()) << "the caller reports the failure";
}

TEST_F(ReadConfigFromUnitTest, UntrustedRepliesStopTheReadWithoutStoring) {
    const std::vector<Fault> faults = {
        Fault::Reply('c', "100").OnValue(60), // does not fit a byte
        Fault::Reply('c', "zz").OnValue(60),  // undecodable
        Fault::Of(Fault::Kind::WrongEchoValue, 'c').OnValue(60),
        Fault::Of(Fault::Kind::LongLine, 'c').OnValue(60),
        Fault::Of(Fault::Kind::Silent, 'c').OnValue(60),
    };
    for (const Fault& fault : faults) {
        ASSERT_TRUE(OpenLink());
        unit.ClearFaults();
        unit.AddFault(fault);
        table = Marked();
        EXPECT_FALSE(Read());
        EXPECT_EQ(table[46], 46);
        EXPECT_EQ(table[60], 0xEE);
        EXPECT_EQ(table[62], 0xEE);
    }
}

TEST_F(ReadConfigFromUnitTest, LostUnitEndsTheReadPromptly) {
    ASSERT_TRUE(OpenLink());
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'c').OnValue(30));
    EXPECT_FALSE(Read());
    EXPECT_EQ(table[29], 29);
    EXPECT_EQ(table[30], 0xEE);
}

} // namespace
} // namespace zeb40
