#include "config/SettingDifferences.h"

#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

std::vector<int> Items(const std::vector<SettingDifference>& differences) {
    std::vector<int> items;
    for (const auto& difference : differences)
        items.push_back(difference.description->item);
    return items;
}

TEST(SettingDifferences, OnlySettingsCountAndComeInApplyOrder) {
    ConfigItemTable reference = DefaultConfigItemTable();
    ConfigItemTable other = reference;
    // Header and carried bytes never reach the unit.
    other[4] = 'X';
    other[19] = 7;
    EXPECT_TRUE(DifferingSettings(reference, other).empty());

    other[27] = 0x11; // the generator's hours
    other[20] = 1;    // LTC Edge, written before the time in Apply's order
    other[88] = 1;
    const auto differences = DifferingSettings(reference, other);
    EXPECT_EQ(Items(differences), (std::vector<int>{20, 27, 88}));
    EXPECT_EQ(differences[1].reference, 0x10);
    EXPECT_EQ(differences[1].other, 0x11);
    EXPECT_EQ(differences[1].applied, 0x10);
}

TEST(SettingDifferences, ASettingHoldingWhatApplyWritesIsEqual) {
    ConfigItemTable reference = DefaultConfigItemTable();
    ConfigItemTable other = reference;
    // The default Read Source 7Fh shows "Auto" and is written as 3; Bright 0
    // shows as 1 and is written as 1.
    other[42] = 3;
    reference[90] = 0;
    other[90] = 1;
    EXPECT_TRUE(DifferingSettings(reference, other).empty());
    // The other way round Apply would still write: 7Fh is not what it sends.
    EXPECT_EQ(Items(DifferingSettings(other, reference)), (std::vector<int>{42, 90}));
}

TEST(SettingDifferences, OffKeepsItsFormerSourceAndUnsendableValuesStayDifferent) {
    ConfigItemTable reference = DefaultConfigItemTable();
    ConfigItemTable other = reference;
    reference[60] = 0x83; // Off, formerly "Gen User"
    other[60] = 0x81;     // Off, formerly "Gen Time"
    reference[12] = 9;    // no entry of the frame rates: Apply skips it
    const auto differences = DifferingSettings(reference, other);
    ASSERT_EQ(Items(differences), (std::vector<int>{12, 60}));
    EXPECT_EQ(differences[0].applied, std::nullopt);
    EXPECT_EQ(differences[1].applied, 0x83);

    const ControlValues values = ChangedValues(reference, differences);
    EXPECT_EQ(values(60), 0); // the "Off" entry
    EXPECT_EQ(values(12), -1);
    EXPECT_EQ(values(13), -1) << "an equal setting is left out";
}

// The comparison predicts ApplyAll's bytes; both must keep the same rules.
class AppliedValues : public test::FakeLineFixture {};

TEST_F(AppliedValues, AreTheBytesApplyAllStores) {
    ConfigState config;
    config.table[12] = 9;    // skipped
    config.table[24] = 0x1A; // not BCD: shown as 20
    config.table[31] = 5;    // shown checked
    config.table[42] = 0x7E;
    config.table[60] = 0;    // "Off" without a former source
    config.table[89] = 0x85; // "Off"
    config.table[90] = 9;
    config.table[63] = 255; // never written
    const ConfigItemTable file = config.table;
    {
        auto lock = unit.Lock();
        unit.State().items[12] = 4;
        unit.State().items[63] = 100;
    }
    ASSERT_TRUE(OpenLink());
    test::ScriptedOperator op;
    ConfigEditor editor(link, config, op);
    MemoryReport report;
    ASSERT_TRUE(editor.ApplyAll(ShownValues(config.table), report));

    auto lock = unit.Lock();
    for (const auto& description : SettingItems()) {
        const auto index = static_cast<std::size_t>(description.item);
        const auto applied = AppliedItemValue(description, file[index]);
        if (applied) {
            EXPECT_EQ(unit.State().items[index], *applied) << description.name;
        }
    }
    EXPECT_EQ(unit.State().items[12], 4);
    EXPECT_EQ(unit.State().items[63], 100);
    EXPECT_FALSE(AppliedItemValue(*FindItem(12), 9));
    EXPECT_FALSE(AppliedItemValue(*FindItem(63), 255));
}

} // namespace
} // namespace zeb40
