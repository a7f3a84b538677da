#include "config/ProfileCommands.h"

#include "config/ConfigEditor.h"
#include "resources/Strings.h"
#include "sim/Fault.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

namespace zeb40 {
namespace {

using sim::Fault;
using Texts = std::vector<std::string>;

class ProfileCommandsTest : public test::FakeLineFixture {
  protected:
    void SetUp() override {
        FakeLineFixture::SetUp();
        ASSERT_TRUE(OpenLink());
        unit.Configure("save-ms", "20");
    }
    void SetUnitItem(int item, std::uint8_t value) {
        auto lock = unit.Lock();
        unit.State().items[static_cast<std::size_t>(item)] = value;
    }
    std::uint8_t UnitItem(int item) {
        auto lock = unit.Lock();
        return unit.State().items[static_cast<std::size_t>(item)];
    }
    test::ScriptedOperator op;
};

// True when the unit saved the profile.
bool Saved(UnitLink& link, int number, Operator& op, const std::function<void()>& applyAll) {
    const auto saved = SaveUserProfileNumber(link, number, op, applyAll);
    return saved && saved->IsOk();
}

TEST_F(ProfileCommandsTest, ProfileNumbersGoOutAsDecimalDigits) {
    EXPECT_EQ(ProfileWireValue(7), 0x7u);
    EXPECT_EQ(ProfileWireValue(12), 0x12u);
    EXPECT_EQ(ProfileWireValue(499), 0x499u);
}

TEST_F(ProfileCommandsTest, FactoryLoadSendsBAloneAndRestoresTheDefaults) {
    SetUnitItem(15, 2);
    EXPECT_TRUE(LoadProfileNumber(link, 0, op));
    EXPECT_EQ(ReceivedTexts(), Texts{"B"});
    EXPECT_EQ(UnitItem(15), DefaultConfigItemTable()[15]);
    EXPECT_TRUE(op.messages.empty());

    unit.AddFault(Fault::Refuse('B', "PR", 1));
    EXPECT_EQ(LoadProfileNumber(link, 0, op), LinkResult::Refused(ReplyCode::PR))
        << "the caller learns of it";
    EXPECT_TRUE(op.messages.empty()) << "the factory load reports nothing";
}

TEST_F(ProfileCommandsTest, RefusalsAreReported) {
    EXPECT_FALSE(LoadProfileNumber(link, 12, op));
    unit.AddFault(Fault::Refuse('B', "OV", 1));
    EXPECT_EQ(LoadProfileNumber(link, 13, op), LinkResult::Refused(ReplyCode::OV));
    EXPECT_EQ(op.Texts(), (Texts{strings::ProfileDoesNotExist, strings::CantLoadProfile}));
    EXPECT_EQ(op.messages[0].caption, strings::ErrorCaption);
    EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ReceivedTexts(), (Texts{"B12", "B13"}));
}

TEST_F(ProfileCommandsTest, SavedProfileLoadsBackAndIsReadIntoTheTable) {
    SetUnitItem(73, 2);
    bool applied = false;
    EXPECT_TRUE(Saved(link, 3, op, [&] { applied = true; }));
    EXPECT_TRUE(applied);
    SetUnitItem(73, 5);
    EXPECT_TRUE(LoadProfileNumber(link, 3, op));
    ConfigItemTable table = DefaultConfigItemTable();
    ASSERT_TRUE(ReadConfigFromUnit(link, table, "", op));
    EXPECT_EQ(table[73], 2);
    EXPECT_EQ(ReceivedTexts()[0], "E83");
    EXPECT_EQ(ReceivedTexts()[1], "B3");
}

TEST_F(ProfileCommandsTest, SaveWaitsLongerThanAnExchange) {
    unit.Configure("save-ms", "1500");
    EXPECT_TRUE(Saved(link, 0, op, [] {}));
    EXPECT_TRUE(Saved(link, 9, op, [] {}));
    EXPECT_EQ(ReceivedTexts(), (Texts{"E80", "E89"}));
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(op.notices, (Texts{"Saving User Profile...", "Saving User Profile..."}));
    EXPECT_FALSE(op.noticeOpen);
}

TEST_F(ProfileCommandsTest, SaveRefusalsAreReported) {
    unit.AddFault(Fault::Refuse('E', "PI", 1));
    EXPECT_FALSE(Saved(link, 1, op, [] {}));
    unit.AddFault(Fault::Refuse('E', "PM", 1));
    EXPECT_FALSE(Saved(link, 1, op, [] {}));
    EXPECT_EQ(op.Texts(), (Texts{strings::ProfileDoesNotExist, strings::CantSaveProfile}));
}

TEST_F(ProfileCommandsTest, NoNoticeMeansNothingSent) {
    struct NoNotice : test::ScriptedOperator {
        bool ShowNotice(const std::string&) override { return false; }
    } refusing;
    bool applied = false;
    EXPECT_FALSE(SaveUserProfileNumber(link, 1, refusing, [&] { applied = true; }));
    EXPECT_FALSE(applied);
    EXPECT_TRUE(ReceivedTexts().empty());
}

} // namespace
} // namespace zeb40
