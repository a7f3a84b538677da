#include "config/ConfigEditor.h"

#include "config/ItemDescriptions.h"
#include "resources/Strings.h"
#include "sim/ConfigMemory.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <algorithm>
#include <map>

namespace zeb40 {
namespace {

using sim::Fault;

class ConfigEditorTest : public test::FakeLineFixture {
  protected:
    void SetUp() override {
        FakeLineFixture::SetUp();
        auto lock = unit.Lock();
        Memory().SetReorganizeMs(50);
    }
    sim::ConfigMemory& Memory() { return *unit.Find<sim::ConfigMemory>(); }
    void SetSlots(int capacity, int inUse) {
        auto lock = unit.Lock();
        Memory().SetCapacity(capacity);
        Memory().SetInUse(inUse);
    }
    std::uint8_t UnitItem(int item) {
        auto lock = unit.Lock();
        return unit.State().items[static_cast<std::size_t>(item)];
    }
    int Count(const std::string& text) {
        auto texts = ReceivedTexts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), text));
    }

    // The controls show the table unless a test set a control's value.
    ControlValues Values() {
        return [this](int item) {
            ++valuesAsked;
            if (auto found = controls.find(item); found != controls.end())
                return found->second;
            return ShownValues(config.table)(item);
        };
    }
    bool SetItem(int item, int& value) {
        return editor.SetItem(item, value, choices, report).PutBack();
    }
    bool ApplyAll() { return editor.ApplyAll(Values(), report).IsOk(); }
    std::string ItemsText() const { return report.count ? ItemsAvailableText(*report.count) : ""; }

    ConfigState config;
    test::ScriptedOperator op;
    ConfigEditor editor{link, config, op};
    EditChoices choices;
    MemoryReport report;
    std::map<int, int> controls;
    int valuesAsked = 0;
};

// Stores the value through SetItem and returns what was stored and the result.
struct Stored {
    bool result;
    int value;
};

TEST_F(ConfigEditorTest, SetItemAppliesEachItemsBoundsForNormAndSize) {
    auto set = [&](int item, int value) {
        const bool result = SetItem(item, value);
        EXPECT_EQ(config.table[static_cast<std::size_t>(item)], value) << "item " << item;
        return Stored{result, value};
    };
    EXPECT_TRUE(set(30, 0).result);
    EXPECT_EQ(set(30, 150).value, 99);
    EXPECT_FALSE(set(30, 50).result);
    EXPECT_EQ(set(17, 5).value, 6);
    EXPECT_EQ(set(45, 31).value, 30);
    EXPECT_EQ(set(24, 0x27).value, 0x24);
    EXPECT_EQ(set(90, 0).value, 1);
    EXPECT_EQ(set(90, 8).value, 7);
    EXPECT_EQ(set(63, 200).value, 135);
    choices.sizeSelection = 1;
    EXPECT_EQ(set(62, 100).value, 69);
    EXPECT_EQ(set(63, 200).value, 127);
    choices.sizeSelection = -1;
    EXPECT_EQ(MaxHorizontalPosition(choices.sizeSelection), 69);
    choices.sizeSelection = 0;
    EXPECT_FALSE(set(62, 100).result);

    config.table[88] = 1; // NTSC
    EXPECT_EQ(set(17, 5).value, 10);
    EXPECT_EQ(set(46, 9).value, 10);
    EXPECT_FALSE(set(24, 0x27).result);
    EXPECT_EQ(set(32, 0x35).value, 0x29);
    EXPECT_EQ(MaxVerticalPosition(IsNtsc(config.table), choices.sizeSelection), 111);
    choices.sizeSelection = 1;
    EXPECT_EQ(MaxVerticalPosition(IsNtsc(config.table), choices.sizeSelection), 103);

    EXPECT_TRUE(config.modified);
    EXPECT_TRUE(unit.Received().empty());
}

TEST_F(ConfigEditorTest, ValuesOutsideAByteAreNeitherStoredNorSent) {
    ASSERT_TRUE(OpenLink());
    choices.autoApply = true;
    for (int bad : {255, -1, 1000}) {
        int value = bad;
        EXPECT_FALSE(SetItem(12, value));
        EXPECT_EQ(value, bad);
    }
    EXPECT_EQ(config.table, DefaultConfigItemTable());
    EXPECT_FALSE(config.modified);
    EXPECT_TRUE(unit.Received().empty());
}

TEST_F(ConfigEditorTest, AutoApplyWritesTheBoundedValueAndRefusalsKeepTheOldOne) {
    ASSERT_TRUE(OpenLink());
    choices.autoApply = true;
    int value = 0;
    EXPECT_TRUE(SetItem(30, value)); // bounded to 1
    int style = 3;
    EXPECT_FALSE(SetItem(65, style));
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"P1E", "C1", "P41", "C3"}));
    EXPECT_EQ(UnitItem(65), 3);
    EXPECT_EQ(config.table[65], 3);

    config.modified = false;
    unit.AddFault(Fault::Refuse('C', "PR", 1));
    int gain = 4;
    EXPECT_TRUE(SetItem(15, gain));
    EXPECT_EQ(config.table[15], 9);
    EXPECT_FALSE(config.modified);
    EXPECT_TRUE(op.messages.empty()) << "slots are left: no question";
}

TEST_F(ConfigEditorTest, RunningOutOfSlotsOffersReorganisationAndOkReorganises) {
    ASSERT_TRUE(OpenLink());
    SetSlots(3, 1);
    choices.autoApply = true;
    int a = 1, b = 2, c = 3;
    EXPECT_FALSE(SetItem(12, a));
    EXPECT_FALSE(SetItem(13, b));
    op.answers = {Answer::Cancel};
    EXPECT_TRUE(SetItem(14, c));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, strings::NoItemsLeftQuestion());
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Config Memory Reorganization");
    EXPECT_EQ(op.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(Count("Q"), 0);
    EXPECT_EQ(config.table[14], 0);

    op.answers = {Answer::Ok};
    EXPECT_FALSE(report.reorganized);
    EXPECT_TRUE(SetItem(14, c));
    EXPECT_EQ(Count("Q"), 1);
    auto texts = ReceivedTexts();
    auto q = std::find(texts.begin(), texts.end(), "Q");
    EXPECT_EQ(*(q - 1), "S");
    EXPECT_EQ(*(q + 1), "e95");
    EXPECT_EQ(ItemsText(), "3 items available");
    EXPECT_TRUE(report.reorganized) << "the window enables Apply and Auto Apply again";
    EXPECT_EQ(op.waitDepth, 0);
    // The write that failed is the operator's to repeat: now there is room.
    EXPECT_FALSE(SetItem(14, c));
    EXPECT_EQ(UnitItem(14), 3);
}

TEST_F(ConfigEditorTest, ItemCountTextAndReorganizeButton) {
    editor.RefreshItemCount(report);
    EXPECT_EQ(ItemsText(), "") << "no link, no exchange";
    ASSERT_TRUE(OpenLink());
    SetSlots(64, 5);
    editor.RefreshItemCount(report);
    EXPECT_EQ(ItemsText(), "59 items available");
    EXPECT_TRUE(report.slotsInUse);
    report = {};
    SetSlots(64, 0);
    editor.RefreshItemCount(report);
    EXPECT_EQ(ItemsText(), "64 items available");
    EXPECT_FALSE(report.slotsInUse);
    SetSlots(64, 64);
    editor.RefreshItemCount(report);
    EXPECT_EQ(ItemsText(), "0 items available");
    unit.AddFault(Fault::Refuse('e', "OV", 1));
    editor.RefreshItemCount(report);
    EXPECT_EQ(ItemsText(), "0 items available");
}

TEST_F(ConfigEditorTest, FailedReorganisationIsReportedAndLeavesTheButtons) {
    ASSERT_TRUE(OpenLink());
    unit.AddFault(Fault::Refuse('Q', "NC", 1));
    EXPECT_FALSE(editor.ReorganizeConfigMemory(report));
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Communication error");
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
    EXPECT_FALSE(report.reorganized);
}

TEST_F(ConfigEditorTest, ReorganisationWaitsForASlowUnit) {
    ASSERT_TRUE(OpenLink());
    {
        auto lock = unit.Lock();
        Memory().SetReorganizeMs(2000);
    }
    SetSlots(64, 64);
    EXPECT_TRUE(editor.ReorganizeConfigMemory(report));
    EXPECT_EQ(ItemsText(), "64 items available");
}

TEST_F(ConfigEditorTest, ApplyAllSendsEveryItemInOneBatch) {
    ASSERT_TRUE(OpenLink());
    config.table[42] = 0x7F;
    config.table[89] = 0x82;
    controls = {{27, 12}, {26, 34}, {25, 56}, {24, 7}, {72, -1}, {60, 0}};
    config.table[60] = 3;
    EXPECT_TRUE(ApplyAll());

    auto texts = ReceivedTexts();
    ASSERT_EQ(texts.size(), 2u + 44 * 2 + 1 + 1);
    EXPECT_EQ(texts[0], "S");
    EXPECT_EQ(texts[1], "O");
    EXPECT_EQ(texts[2], "PC");
    EXPECT_EQ(texts[texts.size() - 2], "S");
    EXPECT_EQ(texts.back(), "e95");
    EXPECT_EQ(Count("P48"), 0) << "a combo without selection is skipped";
    const std::vector<std::pair<int, int>> stored = {{27, 0x12}, {26, 0x34}, {25, 0x56}, {24, 0x07},
                                                     {42, 3},    {89, 0x82}, {60, 0x83}};
    for (auto [item, value] : stored) {
        EXPECT_EQ(config.table[item], value) << "item " << item;
        EXPECT_EQ(UnitItem(item), value) << "item " << item;
    }
    EXPECT_FALSE(config.modified);
    EXPECT_EQ(op.waitDepth, 0);
}

TEST_F(ConfigEditorTest, ApplyAllStopsAtTheFirstFailure) {
    ASSERT_TRUE(OpenLink());
    controls = {{12, 3}, {41, 2}, {96, 4}};
    unit.AddFault(Fault::Refuse('P', "PR").OnValue(41));
    EXPECT_FALSE(ApplyAll());
    EXPECT_EQ(config.table[12], 3);
    EXPECT_EQ(config.table[41], 0);
    EXPECT_EQ(config.table[96], 0);
    auto texts = ReceivedTexts();
    EXPECT_EQ(Count("P29"), 1);
    EXPECT_EQ(Count("P2A"), 0);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "S"), 1) << "no closing S";
    EXPECT_TRUE(op.messages.empty());

    unit.ClearReceived();
    unit.ClearFaults();
    SetSlots(64, 64);
    op.answers = {Answer::Cancel};
    EXPECT_FALSE(ApplyAll());
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"S", "O", "PC", "C3", "e95", "e95"}));
    EXPECT_EQ(op.messages.size(), 1u);
}

TEST_F(ConfigEditorTest, ApplyAllRefusedBatchStartWritesNothing) {
    ASSERT_TRUE(OpenLink());
    unit.AddFault(Fault::Refuse('O', "PR", 1));
    EXPECT_FALSE(ApplyAll());
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"S", "O", "e95", "e95"}));
}

TEST_F(ConfigEditorTest, ApplyAllWithoutLinkDoesNothing) {
    EXPECT_TRUE(ApplyAll());
    EXPECT_EQ(valuesAsked, 0);
    EXPECT_EQ(op.waitCount, 0);
}

TEST_F(ConfigEditorTest, ApplyAllSkipsTimesThatHaveNoBcdByte) {
    ASSERT_TRUE(OpenLink());
    controls = {{27, 200}, {26, 99}};
    EXPECT_TRUE(ApplyAll());
    EXPECT_EQ(Count("P1B"), 0);
    EXPECT_EQ(config.table[27], 0x10);
    EXPECT_EQ(config.table[26], 0x99);
}

} // namespace
} // namespace zeb40
