#include "ConfigWindowFixture.h"
#include "config/ItemDescriptions.h"
#include "resources/Strings.h"
#include "sim/Fault.h"

namespace zeb40::test {
namespace {

using sim::Fault;

class ConfigDialogTest : public ConfigWindowFixture {};

// The items ApplyAll writes, in its order, as "P<item>" "C<value>" texts.
std::vector<std::string> ItemWrites(const ConfigItemTable& table) {
    std::vector<std::string> writes;
    for (int item : ApplyOrder()) {
        writes.push_back("P" + HexText(static_cast<std::uint32_t>(item)));
        writes.push_back("C" + HexText(table[static_cast<std::size_t>(item)]));
    }
    return writes;
}

TEST_F(ConfigDialogTest, WithoutLinkShowsTheTableAndDisablesTheUnitControls) {
    link.Close();
    config.table[12] = 3;
    config.table[27] = 0x12;
    config.table[90] = 0;
    Open();
    EXPECT_EQ(dialog->windowTitle(), "VELOR ZEB40 Config");
    EXPECT_EQ(Combo(1009)->currentText(), "30 DF");
    EXPECT_EQ(Edit(1064)->text(), "12");
    EXPECT_EQ(Edit(1075)->text(), "1") << "brightness 0 shows as 1";
    EXPECT_EQ(dialog->Controls().itemsText->text(), "");
    for (int id : {control::Reorganize, control::Apply, control::SetGenerator, control::Jam,
                   control::SetClock, control::SaveUserProfile})
        EXPECT_FALSE(Button(id)->isEnabled()) << id;
    for (int id : {control::AutoApply, control::GeneratorTimecode, control::ReaderTimecode})
        EXPECT_FALSE(Check(id)->isEnabled()) << id;
    EXPECT_TRUE(Button(control::Close)->isEnabled());

    // Changes still reach the table.
    Choose(1010, 1);
    EXPECT_EQ(config.table[13], 1);
    EXPECT_TRUE(config.modified);
    Button(control::Apply)->click();
    EXPECT_TRUE(unit.ReceivedBytes().empty());
}

TEST_F(ConfigDialogTest, WithLinkShowsFreeItemsAndTheStoredAutoApply) {
    settings->setValue("P/AutoApply", 1);
    SetUnitCapacity(64, 5);
    Open();
    EXPECT_EQ(dialog->Controls().itemsText->text(), "59 items available");
    EXPECT_TRUE(Button(control::Reorganize)->isEnabled());
    EXPECT_TRUE(Check(control::AutoApply)->isChecked());
    EXPECT_TRUE(Button(control::Apply)->isDefault());

    SetUnitCapacity(64, 0);
    settings->setValue("P/AutoApply", 0);
    Open();
    EXPECT_EQ(dialog->Controls().itemsText->text(), "64 items available");
    EXPECT_FALSE(Button(control::Reorganize)->isEnabled()) << "nothing in use";
    EXPECT_FALSE(Check(control::AutoApply)->isChecked());
}

TEST_F(ConfigDialogTest, LoadsEncodedItemsIntoTheirControls) {
    config.table[42] = 0x7F;
    config.table[60] = 0x83;
    config.table[89] = 0x82;
    config.table[80] = 0x81;
    config.table[15] = 200; // no entry
    config.table[32] = 0x29;
    config.table[31] = 1;
    Open();
    EXPECT_EQ(Combo(1028)->currentText(), "Auto");
    EXPECT_EQ(Combo(1034)->currentText(), "Off");
    EXPECT_EQ(Combo(1049)->currentText(), "Off");
    EXPECT_EQ(Combo(1049)->currentIndex(), 9);
    EXPECT_EQ(Combo(1059)->currentIndex(), 0);
    EXPECT_EQ(Combo(1012)->currentIndex(), -1);
    EXPECT_EQ(Edit(1053)->text(), "29");
    EXPECT_TRUE(Check(1044)->isChecked());
}

TEST_F(ConfigDialogTest, ApplySendsEveryItemInOrderAndTheUnitMatchesTheTable) {
    config.table[27] = 0x12;
    config.table[26] = 0x34;
    config.table[25] = 0x56;
    config.table[24] = 0x07;
    config.table[89] = 0x82;
    Open();
    Button(control::Apply)->click();

    ConfigItemTable expected = config.table;
    std::vector<std::string> wire = {"S", "O"};
    for (const auto& write : ItemWrites(expected))
        wire.push_back(write);
    wire.push_back("S");
    EXPECT_EQ(Sent(), wire);
    for (int item : ApplyOrder())
        EXPECT_EQ(UnitItem(item), config.table[static_cast<std::size_t>(item)]) << item;
    EXPECT_EQ(config.table[89], 0x82) << "Off keeps the source";
    EXPECT_FALSE(config.modified);
}

TEST_F(ConfigDialogTest, ApplyWritesReadSourceAsItsIndex) {
    config.table[42] = 0x7F;
    Open();
    Button(control::Apply)->click();
    EXPECT_EQ(config.table[42], 3);
    EXPECT_EQ(UnitItem(42), 3);
}

TEST_F(ConfigDialogTest, ApplySkipsAComboWithoutSelection) {
    config.table[15] = 200;
    Open();
    Button(control::Apply)->click();
    auto sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "PF"), 0);
    EXPECT_EQ(sent.back(), "S");
    EXPECT_EQ(sent.size(), 2u + 2 * 44 + 1);
}

TEST_F(ConfigDialogTest, AFailurePartWayKeepsWhatWasWrittenAndStopsTheRest) {
    Open();
    Combo(1011)->setCurrentIndex(1); // item 14, before the failure
    Combo(1023)->setCurrentIndex(2); // item 41, refused
    Combo(1029)->setCurrentIndex(1); // item 44, after it
    unit.AddFault(Fault::Refuse('P', "OV").OnValue(41));
    Button(control::Apply)->click();
    auto sent = Sent();
    EXPECT_EQ(config.table[14], 1) << "written before the failure";
    EXPECT_EQ(UnitItem(14), 1);
    EXPECT_EQ(config.table[41], 0) << "refused";
    EXPECT_EQ(config.table[44], 0) << "never sent";
    EXPECT_EQ(sent.back(), "P29");
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "S"), 1) << "no final S";
}

TEST_F(ConfigDialogTest, RefusedBatchStartWritesNothing) {
    Open();
    unit.AddFault(Fault::Refuse('O', "OV"));
    EXPECT_FALSE(dialog->ApplyAll());
    EXPECT_EQ(Sent(), (std::vector<std::string>{"S", "O"}));
}

TEST_F(ConfigDialogTest, AutoApplyRunsAFullApplyAndRemembersTheChoice) {
    Open();
    Check(control::AutoApply)->click();
    EXPECT_TRUE(Check(control::AutoApply)->isChecked());
    EXPECT_EQ(settings->value("P/AutoApply").toInt(), 1);
    EXPECT_EQ(Sent().size(), 2u + 2 * 45 + 1);

    unit.ClearReceived();
    Check(control::AutoApply)->click();
    EXPECT_EQ(settings->value("P/AutoApply").toInt(), 0);
    EXPECT_TRUE(Sent().empty());

    unit.AddFault(Fault::Refuse('O', "OV"));
    Check(control::AutoApply)->click();
    EXPECT_FALSE(Check(control::AutoApply)->isChecked()) << "a failed apply unchecks it";
    EXPECT_EQ(settings->value("P/AutoApply").toInt(), 0);
}

TEST_F(ConfigDialogTest, ANumberOutOfRangeIsReportedAndNeverSent) {
    config.table[63] = 100;
    Open();
    Edit(1040)->setText("200");
    Button(control::Apply)->click();
    ASSERT_EQ(op.Texts(), std::vector<std::string>{"Please enter an integer between 0 and 135."});
    EXPECT_EQ(op.messages[0].caption, strings::ApplicationName);
    EXPECT_EQ(UnitItem(63), 100) << "the last valid value went out";
    EXPECT_EQ(config.table[63], 100);
    EXPECT_EQ(dialog->ControlValue(63), 100);
    EXPECT_EQ(Sent().size(), 2u + 2 * 45 + 1) << "the apply goes on";
}

TEST_F(ConfigDialogTest, ValidationStopsAtTheFirstBadFieldInItsOrder) {
    Open();
    Edit(1017)->setText("x");  // Generate VITC Line 2, third in order
    Edit(1030)->setText("12"); // after it: not taken
    Edit(1040)->setText("99"); // before it: taken
    EXPECT_FALSE(dialog->TakeControlValues());
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Please enter an integer."});
    EXPECT_EQ(dialog->ControlValue(63), 99);
    EXPECT_EQ(dialog->ControlValue(45), 10);
    EXPECT_EQ(dialog->focusWidget(), Edit(1017));

    Edit(1017)->setText("12");
    Edit(1069)->setText("123456789");
    EXPECT_EQ(Edit(1069)->text(), "12345678") << "the user bits field takes eight characters";
    EXPECT_TRUE(dialog->TakeControlValues());
    EXPECT_EQ(dialog->ControlValue(45), 12);
}

TEST_F(ConfigDialogTest, OutOfSlotsOffersTheReorganisation) {
    SetUnitCapacity(64, 64);
    Open();
    AutoApplyOn();
    op.answers.push_back(Answer::Cancel);
    Choose(1010, 1);
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, strings::NoItemsLeftQuestion());
    EXPECT_EQ(op.messages[0].caption, strings::ReorganizeCaption);
    EXPECT_EQ(Combo(1010)->currentIndex(), 1) << "the combo keeps the choice";
    EXPECT_EQ(config.table[13], 0) << "the table keeps the old value";

    op.answers.push_back(Answer::Ok);
    Choose(1010, 1);
    auto sent = Sent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), "Q"), sent.end());
    EXPECT_FALSE(Button(control::Reorganize)->isEnabled());
}

TEST_F(ConfigDialogTest, HelpAsksForThePageOfThisWindow) {
    Open();
    QString page;
    QObject::connect(dialog.get(), &ConfigDialog::helpRequested,
                     [&](const QString& requested) { page = requested; });
    Button(control::Help)->click();
    EXPECT_EQ(page, "config.html");
}

} // namespace
} // namespace zeb40::test
