#include "config/ItemDescriptions.h"

#include "config/ConfigItemTable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace zeb40 {
namespace {

const ItemDescription& Item(int item) {
    const ItemDescription* description = FindItem(item);
    EXPECT_NE(description, nullptr) << "item " << item;
    return *description;
}

std::string Entry(int item, int index) {
    return std::string(Item(item).list[static_cast<std::size_t>(index)]);
}

TEST(DefaultTable, HeaderCarriedBytesAndSettingsAreTheFactoryOnes) {
    const ConfigItemTable& table = DefaultConfigItemTable();
    const std::vector<int> header(table.begin(), table.begin() + 12);
    EXPECT_EQ(header, (std::vector<int>{100, 0, 0, 0, 'Q', 'R', 'N', 'V', 2, 1, 0, 0}));
    EXPECT_EQ(table[75], 2);
    std::set<int> settings;
    for (const auto& d : SettingItems())
        settings.insert(d.item);
    for (int i = 12; i < 100; ++i) {
        if (!settings.count(i) && i != 75) {
            EXPECT_EQ(table[i], 0) << "carried byte " << i;
        }
    }
    const std::vector<std::pair<int, int>> defaults = {
        {12, 0},    {15, 9},  {16, 1},  {17, 10}, {18, 12},  {27, 0x10}, {29, 2},  {30, 1}, {31, 1},
        {42, 0x7F}, {45, 10}, {46, 12}, {60, 1},  {62, 116}, {63, 125},  {73, 5},  {74, 1}, {81, 1},
        {82, 1},    {89, 2},  {90, 3},  {92, 7},  {93, 5},   {94, 13},   {95, 15}, {96, 0}};
    for (auto [item, value] : defaults)
        EXPECT_EQ(table[item], value) << "item " << item;
}

TEST(ItemDescriptions, FortyFiveItemsEachOnceInBothOrders) {
    ASSERT_EQ(SettingItems().size(), 45u);
    std::vector<int> items;
    std::set<std::string_view> names;
    for (const auto& d : SettingItems()) {
        items.push_back(d.item);
        names.insert(d.name);
        EXPECT_EQ(FindItemByName(d.name), &d);
    }
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
    EXPECT_EQ(names.size(), 45u);
    for (auto order : {ReadOrder(), ApplyOrder()}) {
        std::vector<int> sorted(order.begin(), order.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, items);
    }
    // Reading takes the generator time hours first and LTC Edge after it;
    // applying writes LTC Edge before the time.
    EXPECT_EQ(ReadOrder()[7], 27);
    EXPECT_EQ(ReadOrder()[11], 20);
    EXPECT_EQ(ApplyOrder()[7], 20);
    EXPECT_EQ(FindItem(19), nullptr);
    EXPECT_EQ(FindItemByName("no.such-item"), nullptr);
}

TEST(ItemDescriptions, ListsAreTheUnitsOwnTexts) {
    EXPECT_EQ(Entry(28, 1), "Continous");
    EXPECT_EQ(Entry(74, 8), "7 Sace 1");
    EXPECT_EQ(Entry(20, 0), "25 \xC2\xB5s");
    EXPECT_EQ(Entry(15, 1), "-24 dB");
    EXPECT_EQ(Item(15).list.size(), 13u);
    EXPECT_EQ(Item(60).list.size(), 20u);
    EXPECT_EQ(Entry(60, 19), "MTD Slave");
    EXPECT_EQ(Item(72).list.size(), 14u);
    EXPECT_EQ(Entry(73, 5), "38,400");
    EXPECT_EQ(Entry(89, 8), "Read T (6/7), U (8)");
    EXPECT_EQ(Entry(89, Item(89).offEntry), "Off");
    EXPECT_EQ(Entry(60, Item(60).offEntry), "Off");
    EXPECT_EQ(Entry(80, Item(80).offEntry), "Off");
    for (int key = 92; key <= 96; ++key) {
        ASSERT_EQ(Item(key).list.size(), 50u);
        EXPECT_EQ(Entry(key, 30), "Load User Profile 0");
        EXPECT_EQ(Entry(key, 39), "Load User Profile 9");
        EXPECT_EQ(Entry(key, 49), "Disp On / Off");
    }
    EXPECT_EQ(Item(63).fieldMax, 135);
    EXPECT_EQ(Item(24).fieldMax, 29);
}

TEST(ControlValueFromItem, FollowsTheWindowsLoadingRules) {
    EXPECT_EQ(ControlValueFromItem(Item(12), 4), 4);
    EXPECT_EQ(ControlValueFromItem(Item(12), 5), -1);
    EXPECT_EQ(ControlValueFromItem(Item(42), 0x7F), 3);
    EXPECT_EQ(ControlValueFromItem(Item(42), 0x81), 1);
    EXPECT_EQ(ControlValueFromItem(Item(60), 0x83), 0);
    EXPECT_EQ(ControlValueFromItem(Item(60), 3), 3);
    EXPECT_EQ(ControlValueFromItem(Item(60), 20), -1);
    EXPECT_EQ(ControlValueFromItem(Item(80), 0x80), 0);
    EXPECT_EQ(ControlValueFromItem(Item(89), 0x82), 9);
    EXPECT_EQ(ControlValueFromItem(Item(89), 10), 10);
    EXPECT_EQ(ControlValueFromItem(Item(27), 0x12), 12);
    EXPECT_EQ(ControlValueFromItem(Item(24), 0x29), 29);
    EXPECT_EQ(ControlValueFromItem(Item(90), 0), 1);
    EXPECT_EQ(ControlValueFromItem(Item(90), 9), 7);
    EXPECT_EQ(ControlValueFromItem(Item(90), 4), 4);
    EXPECT_EQ(ControlValueFromItem(Item(62), 200), 200);
    EXPECT_EQ(ControlValueFromItem(Item(31), 1), 1);
    EXPECT_EQ(BcdFromDecimal(59), 0x59);
    EXPECT_EQ(DecimalFromBcd(0x23), 23);
}

} // namespace
} // namespace zeb40
