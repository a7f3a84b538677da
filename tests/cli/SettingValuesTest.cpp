#include "cli/SettingValues.h"

#include "cli/OptionLines.h"

#include <gtest/gtest.h>

namespace zeb40::cli {
namespace {

const ItemDescription& Setting(const char* name) {
    const ItemDescription* description = FindItemByName(name);
    EXPECT_NE(description, nullptr) << name;
    return *description;
}

std::optional<int> FromText(const char* name, const char* text, std::string* error = nullptr) {
    std::string ignored;
    return ControlValueFromText(Setting(name), text, error ? *error : ignored);
}

TEST(SettingValues, ListEntriesByTextFirstThenByIndex) {
    EXPECT_EQ(FromText("generate.frame-rate", "30 df"), 3);
    EXPECT_EQ(FromText("generate.frame-rate", "25"), 1); // the entry "25", not index 25
    EXPECT_EQ(FromText("generate.frame-rate", "4"), 4);
    EXPECT_EQ(FromText("generate.ltc-edge", "50 us"), 1);
    EXPECT_EQ(FromText("generate.ltc-edge", " 25 µs "), 0);
    EXPECT_EQ(FromText("generate.ltc-gain", "-24 dB"), 1);
    std::string error;
    EXPECT_FALSE(FromText("generate.frame-rate", "5", &error));
    EXPECT_EQ(error, "'5' is no entry of the list; one of: Auto, 25, 30, 30 DF, 24");
}

TEST(SettingValues, NumbersAreValidatedLikeTheWindowsFields) {
    std::string error;
    EXPECT_EQ(FromText("generate.vitc-line-1", "8"), 8);
    EXPECT_FALSE(FromText("generate.vitc-line-1", "31", &error));
    EXPECT_EQ(error, "Please enter an integer between 6 and 30.");
    EXPECT_FALSE(FromText("display.bright", "bright", &error));
    EXPECT_EQ(error, "Please enter an integer.");
    EXPECT_EQ(FromText("generate.time-frames", "27"), 27);
    EXPECT_EQ(FromText("jam.use-offset", "ON"), 1);
    EXPECT_EQ(FromText("jam.use-offset", "0"), 0);
    EXPECT_FALSE(FromText("jam.use-offset", "maybe"));
}

TEST(SettingValues, ItemValuesAsTheHandlersComputeThem) {
    EXPECT_EQ(ItemValueFromControl(Setting("generate.time-frames"), 27, 0), 0x27);
    EXPECT_EQ(ItemValueFromControl(Setting("insert.source"), 0, 3), 0x83);
    EXPECT_EQ(ItemValueFromControl(Setting("insert.source"), 0, 0x83), 0x83);
    EXPECT_EQ(ItemValueFromControl(Setting("display.source"), 9, 2), 0x82);
    EXPECT_EQ(ItemValueFromControl(Setting("display.source"), 0, 2), 0);
    EXPECT_EQ(ItemValueFromControl(Setting("read.source"), 1, 0x7F), 1);
}

TEST(SettingValues, StoredBytesShowAsTheWindowShowsThem) {
    EXPECT_EQ(DisplayText(Setting("read.source"), 0x7F), "Auto");
    EXPECT_EQ(DisplayText(Setting("insert.source"), 0x83), "Off");
    EXPECT_EQ(DisplayText(Setting("display.source"), 0x82), "Off");
    EXPECT_EQ(DisplayText(Setting("generate.time-hours"), 0x23), "23");
    EXPECT_EQ(DisplayText(Setting("generate.frame-rate"), 9), "(none)");
    EXPECT_EQ(DisplayText(Setting("jam.use-offset"), 1), "on");
    EXPECT_EQ(DisplayText(Setting("display.bright"), 0), "1");
    EXPECT_EQ(AcceptedValues(Setting("jam.wheel")), "1 to 99");
}

TEST(OptionLines, OneLinePerOptionAndTheUnfinishedLast) {
    EXPECT_EQ(OptionLines("A\nB\nC "), (std::vector<std::string>{"A", "B", "C "}));
    EXPECT_TRUE(OptionLines("").empty());
}

} // namespace
} // namespace zeb40::cli
