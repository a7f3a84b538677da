// The window's seams between the settings table and its widgets: every row
// gets one binding with the controls its encoding needs, named as before,
// and every encoding shows a stored value and reads it back unchanged.

#include "ConfigWindowFixture.h"
#include "config/window/SettingEncodings.h"

#include <algorithm>
#include <set>

namespace zeb40::test {
namespace {

class SettingBindingsTest : public ConfigWindowFixture {
  protected:
    void SetUp() override {
        ConfigWindowFixture::SetUp();
        link.CloseIfOpen(); // nothing to write: only what the controls show
        Open();
    }
};

// The stored values whose showing is the whole story: every list entry (and
// for an Off-flag list the Off values keeping a source), every number and
// time of the field's range, both check states.
std::vector<std::uint8_t> ShowableValues(const ItemDescription& description) {
    std::vector<std::uint8_t> values;
    auto add = [&values](int value) { values.push_back(static_cast<std::uint8_t>(value)); };
    switch (description.encoding) {
    case ItemEncoding::Index:
        for (int index = 0; index < static_cast<int>(description.list.size()); ++index)
            add(index);
        break;
    case ItemEncoding::OffFlag:
        for (int index = 0; index < static_cast<int>(description.list.size()); ++index) {
            if (index != description.offEntry)
                add(index);
            add(0x80 | index);
        }
        break;
    case ItemEncoding::Number:
    case ItemEncoding::Check:
        for (int number = description.fieldMin; number <= description.fieldMax; ++number)
            add(number);
        break;
    case ItemEncoding::Bcd:
        for (int decimal = description.fieldMin; decimal <= description.fieldMax; ++decimal)
            add(BcdFromDecimal(decimal));
        break;
    }
    return values;
}

TEST_F(SettingBindingsTest, EveryRowHasOneBindingWithTheControlsOfItsEncodingNamedAsBefore) {
    const ConfigControls& controls = dialog->Controls();
    std::set<int> items;
    std::set<QWidget*> widgets;
    for (const SettingBinding& setting : controls.settings) {
        const ItemDescription& description = *setting.description;
        SCOPED_TRACE(std::string(description.name));
        EXPECT_TRUE(items.insert(setting.Item()).second);
        EXPECT_EQ(setting.encoding, &EncodingOf(description.encoding));
        const SettingWidgets& w = setting.widgets;
        const SettingControlIds& ids = SettingControlIdsOf(setting.Item());
        switch (description.encoding) {
        case ItemEncoding::Index:
        case ItemEncoding::OffFlag:
            ASSERT_TRUE(w.combo);
            EXPECT_FALSE(w.edit || w.check || w.spin);
            EXPECT_EQ(w.combo, Combo(ids.control));
            EXPECT_EQ(w.combo->count(), static_cast<int>(description.list.size()));
            widgets.insert(w.combo);
            break;
        case ItemEncoding::Number:
            ASSERT_TRUE(w.edit && w.spin);
            EXPECT_FALSE(w.combo || w.check);
            EXPECT_EQ(w.edit, Edit(ids.control));
            EXPECT_EQ(w.spin, Spin(ids.spin));
            widgets.insert({w.edit, w.spin});
            break;
        case ItemEncoding::Bcd:
            ASSERT_TRUE(w.edit);
            EXPECT_FALSE(w.combo || w.check || w.spin);
            EXPECT_EQ(w.edit, Edit(ids.control));
            EXPECT_EQ(ids.spin, 0);
            widgets.insert(w.edit);
            break;
        case ItemEncoding::Check:
            ASSERT_TRUE(w.check);
            EXPECT_FALSE(w.combo || w.edit || w.spin);
            EXPECT_EQ(w.check, Check(ids.control));
            widgets.insert(w.check);
            break;
        }
    }
    EXPECT_EQ(items.size(), SettingItems().size());
    const auto numbers = std::count_if(SettingItems().begin(), SettingItems().end(),
                                       [](const ItemDescription& description) {
                                           return description.encoding == ItemEncoding::Number;
                                       });
    EXPECT_EQ(widgets.size(), SettingItems().size() + static_cast<std::size_t>(numbers))
        << "each setting has widgets of its own";
    EXPECT_EQ(controls.Setting(88).widgets.combo, Combo(1042));
    EXPECT_EQ(controls.settings.Named("position.vertical").widgets.spin, Spin(1041));
}

// What the loading shows, the held values keep through the field and back,
// and Apply reads, is the stored byte again.
TEST_F(SettingBindingsTest, EveryEncodingShowsAStoredValueAndReadsItBack) {
    const ConfigControls& controls = dialog->Controls();
    HeldValues held(controls.settings, *controls.userBits, *controls.itemsText, op);
    // Every other field valid while one setting is tried.
    for (const SettingBinding& setting : controls.settings)
        setting.encoding->Load(setting, held,
                               config.table[static_cast<std::size_t>(setting.Item())]);
    for (const SettingBinding& setting : controls.settings) {
        const SettingEncoding& encoding = *setting.encoding;
        for (std::uint8_t stored : ShowableValues(*setting.description)) {
            SCOPED_TRACE(std::string(setting.description->name) + " = " + std::to_string(stored));
            encoding.Load(setting, held, stored);
            held.Show();
            ASSERT_TRUE(held.Take());
            const int shown = encoding.Read(setting, held);
            EXPECT_EQ(shown, ControlValueFromItem(*setting.description, stored));
            EXPECT_EQ(encoding.ItemValue(setting, shown, stored), stored);
        }
    }
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(SettingBindingsTest, EncodingsShowWhatSetItemLeftAsTheWindowDoes) {
    const ConfigControls& controls = dialog->Controls();
    HeldValues held(controls.settings, *controls.userBits, *controls.itemsText, op);
    const SettingBinding& frames = controls.settings.Named("generate.time-frames");
    frames.encoding->Settle(frames, held, 0x07, true);
    EXPECT_EQ(frames.widgets.edit->text(), "07") << "a time reads with two digits";
    EXPECT_EQ(held.Value(frames.Item()), 7);

    const SettingBinding& display = controls.settings.Named("display.source");
    display.encoding->Settle(display, held, 0x82, true);
    EXPECT_EQ(display.widgets.combo->currentIndex(), 9) << "a switched-off source shows Off";
    EXPECT_EQ(display.encoding->ItemValue(display, 9, 0x02), 0x82) << "Off keeps the source";

    const SettingBinding& wheel = controls.settings.Named("jam.wheel");
    wheel.encoding->Settle(wheel, held, 42, false);
    EXPECT_EQ(held.Value(wheel.Item()), 42) << "a number is held even when not put back";
    EXPECT_NE(wheel.widgets.edit->text(), "42");

    const SettingBinding& source = controls.settings.Named("read.source");
    EXPECT_EQ(source.encoding->ItemValue(source, 3, 0x7F), 3) << "written as the plain index";
}

} // namespace
} // namespace zeb40::test
