#include "ConfigWindowFixture.h"
#include "sim/Fault.h"

#include <QApplication>
#include <QKeyEvent>

namespace zeb40::test {
namespace {

using Wire = std::vector<std::string>;

class ControlHandlersTest : public ConfigWindowFixture {
  protected:
    void OpenNtsc() {
        config.table[88] = 1;
        Open();
    }
    // Real focus moves need the window shown and active.
    void ShowActive() {
        Open();
        dialog->show();
        dialog->activateWindow();
        for (int i = 0; i < 50 && QApplication::activeWindow() != dialog.get(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_EQ(QApplication::activeWindow(), dialog.get());
    }
};

TEST_F(ControlHandlersTest, ComboWritesItsIndexEvenWhenUnchanged) {
    Open();
    AutoApplyOn();
    Choose(1024, 3);
    Choose(1024, 3);
    EXPECT_EQ(Sent(), (Wire{"P49", "C3", "P49", "C3"}));
    EXPECT_EQ(config.table[73], 3);
    EXPECT_EQ(UnitItem(73), 3);
    EXPECT_TRUE(config.modified);
}

TEST_F(ControlHandlersTest, WithoutAutoApplyOnlyTheTableChanges) {
    Open();
    Choose(1012, 4);
    Enter(1021, "42");
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(config.table[15], 4);
    EXPECT_EQ(config.table[30], 42);
}

TEST_F(ControlHandlersTest, SourceCombosKeepTheFormerSourceWhenOff) {
    config.table[60] = 3;
    config.table[89] = 2;
    Open();
    AutoApplyOn();
    Choose(1034, 0);
    EXPECT_EQ(config.table[60], 0x83);
    Choose(1034, 0);
    EXPECT_EQ(config.table[60], 0x83) << "Off again keeps it";
    Choose(1034, 1);
    EXPECT_EQ(config.table[60], 1);
    Choose(1049, 9); // Display Source: Off is entry 9
    EXPECT_EQ(config.table[89], 0x82);
    EXPECT_EQ(Sent(), (Wire{"P3C", "C83", "P3C", "C83", "P3C", "C1", "P59", "C82"}));
}

TEST_F(ControlHandlersTest, ReadSourceIsWrittenAsThePlainIndex) {
    config.table[42] = 0x7F;
    Open();
    Choose(1028, 1);
    EXPECT_EQ(config.table[42], 1);
}

TEST_F(ControlHandlersTest, FieldsAreBoundedByTheNorm) {
    Open();
    Enter(1015, "8");
    EXPECT_EQ(config.table[17], 8) << "PAL keeps 8";
    Enter(1015, "31");
    EXPECT_EQ(op.Texts(), Wire{"Please enter an integer between 6 and 30."});
    EXPECT_EQ(config.table[17], 8);

    OpenNtsc();
    Enter(1015, "8");
    EXPECT_EQ(config.table[17], 10);
    EXPECT_EQ(Edit(1015)->text(), "10");
}

TEST_F(ControlHandlersTest, TimeFieldsAreStoredAsBcdAndFramesBounded) {
    Open();
    AutoApplyOn();
    Enter(1068, "27");
    EXPECT_EQ(config.table[24], 0x24);
    EXPECT_EQ(Edit(1068)->text(), "24");
    Enter(1064, "23");
    EXPECT_EQ(config.table[27], 0x23);
    EXPECT_EQ(Sent(), (Wire{"P18", "C24", "P1B", "C23"}));

    OpenNtsc();
    Enter(1068, "27");
    EXPECT_EQ(config.table[24], 0x27);
    EXPECT_EQ(Edit(1068)->text(), "27");
}

TEST_F(ControlHandlersTest, HorizontalIsBoundedByTheSizeShown) {
    Open();
    Choose(1035, 1); // Large; does not re-bound what is stored
    EXPECT_EQ(config.table[62], 116);
    Enter(1038, "100");
    EXPECT_EQ(config.table[62], 69);
    EXPECT_EQ(Edit(1038)->text(), "69");
}

TEST_F(ControlHandlersTest, CheckBoxesAreFields) {
    Open();
    AutoApplyOn();
    Check(1026)->click();
    EXPECT_EQ(config.table[66], 1);
    EXPECT_EQ(Sent(), (Wire{"P42", "C1"}));
}

TEST_F(ControlHandlersTest, ABadFieldStoresAndSendsNothing) {
    Open();
    AutoApplyOn();
    Enter(1021, "abc");
    EXPECT_EQ(op.Texts(), Wire{"Please enter an integer."});
    EXPECT_TRUE(Sent().empty());
    EXPECT_FALSE(config.modified);
}

TEST_F(ControlHandlersTest, UserFieldOnlyValidates) {
    Open();
    AutoApplyOn();
    Enter(1069, "12ab");
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(ControlHandlersTest, NormChangeReboundsWithoutSendingThem) {
    config.table[17] = 6;
    config.table[45] = 7;
    config.table[63] = 130;
    Open();
    AutoApplyOn();
    Choose(1042, 1);
    EXPECT_EQ(Sent(), (Wire{"P58", "C1"})) << "only the norm is written";
    EXPECT_EQ(config.table[17], 10);
    EXPECT_EQ(config.table[45], 10);
    EXPECT_EQ(config.table[63], 111);
    EXPECT_EQ(Edit(1015)->text(), "10");
    EXPECT_EQ(Edit(1040)->text(), "111");
    EXPECT_EQ(Spin(1018)->Bottom(), 6) << "spin ranges are set once, at opening";
}

TEST_F(ControlHandlersTest, NormChangeToPalBoundsTheOffsetFrames) {
    config.table[32] = 0x29;
    config.table[24] = 0x29;
    OpenNtsc();
    Choose(1042, 0);
    EXPECT_EQ(Edit(1053)->text(), "24");
    EXPECT_EQ(config.table[32], 0x24);
    EXPECT_EQ(config.table[24], 0x29) << "generator frames are left";
}

TEST_F(ControlHandlersTest, UpperLeftSendsTheBatchOnTheWire) {
    Open();
    AutoApplyOn();
    Button(1048)->click();
    EXPECT_EQ(Sent(), (Wire{"O", "P3E", "CA", "P3F", "CA", "S"}));
    EXPECT_EQ(unit.ReceivedBytes().substr(0, 2), "O\r");
    EXPECT_EQ(Edit(1038)->text(), "10");

    AutoApplyOn();
    Check(control::AutoApply)->setChecked(false);
    unit.ClearReceived();
    Button(1048)->click();
    EXPECT_EQ(Sent(), (Wire{"O", "S"}));
}

TEST_F(ControlHandlersTest, PresetsFollowSizeAndNorm) {
    Open();
    Button(1063)->click(); // Lower Right, Small, PAL
    EXPECT_EQ(config.table[62], 116);
    EXPECT_EQ(config.table[63], 125);
    Button(1056)->click(); // Upper Center
    EXPECT_EQ(config.table[62], 63);
    Button(1058)->click(); // Middle Left
    EXPECT_EQ(config.table[63], 67);

    OpenNtsc();
    Choose(1035, 1);
    Button(1063)->click();
    EXPECT_EQ(config.table[62], 59);
    EXPECT_EQ(config.table[63], 93);
    EXPECT_EQ(Edit(1040)->text(), "93");
    Button(1056)->click();
    EXPECT_EQ(config.table[62], 34);
    Button(1058)->click();
    EXPECT_EQ(config.table[63], 51);
}

TEST_F(ControlHandlersTest, VerticalSpinRunsDownwardsAndIsRefusedAtTheBound) {
    config.table[63] = 111;
    OpenNtsc();
    AutoApplyOn();
    Spin(1041)->StepDown(); // the down arrow raises the vertical position
    EXPECT_EQ(Sent(), (Wire{"P3F", "C6F"})) << "112 was lowered to 111";
    EXPECT_EQ(Edit(1040)->text(), "111");
    EXPECT_EQ(Spin(1041)->Position(), 111) << "the move was refused";

    unit.ClearReceived();
    Spin(1041)->StepUp();
    EXPECT_EQ(Sent(), (Wire{"P3F", "C6E"}));
    EXPECT_EQ(Edit(1040)->text(), "110");
    EXPECT_EQ(config.table[63], 110);
}

TEST_F(ControlHandlersTest, SpinAtTheEndOfItsRangeKeepsAValidNumber) {
    config.table[63] = 0;
    config.table[17] = 30;
    Open();
    Spin(1041)->StepUp(); // would be -1
    EXPECT_EQ(config.table[63], 0);
    EXPECT_EQ(dialog->ControlValue(63), 0);
    Choose(1010, 1); // shows the held values again
    EXPECT_EQ(Edit(1040)->text(), "0");

    Spin(1018)->StepUp();
    EXPECT_EQ(Edit(1015)->text(), "30");
    EXPECT_EQ(config.table[17], 30);
}

TEST_F(ControlHandlersTest, SpinReadsTheNumberTypedInItsField) {
    Open();
    Edit(1075)->setText("5");
    Spin(1076)->StepUp();
    EXPECT_EQ(config.table[90], 6);
    EXPECT_EQ(Edit(1075)->text(), "6");

    // The arrow keys in the field move the spin as well.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(Edit(1075), &down);
    EXPECT_EQ(Edit(1075)->text(), "5");
    EXPECT_EQ(config.table[90], 5);
}

TEST_F(ControlHandlersTest, TabbingOutOfAFieldRunsItsHandlerOnce) {
    ShowActive();
    auto tabOut = [this](const QString& text) {
        Edit(1021)->setFocus(Qt::TabFocusReason);
        Edit(1021)->setText(text);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(Edit(1021), &tab);
        QApplication::processEvents();
    };
    tabOut("42");
    EXPECT_EQ(config.table[30], 42);
    EXPECT_FALSE(Edit(1021)->hasFocus());

    tabOut("abc");
    EXPECT_EQ(op.Texts(), Wire{"Please enter an integer."}) << "one message, no loop";
    EXPECT_TRUE(Edit(1021)->hasFocus()) << "the focus goes back to the field";
    EXPECT_EQ(config.table[30], 42);
}

TEST_F(ControlHandlersTest, ClickingASpinFirstTakesOverTheFieldBeingEdited) {
    ShowActive();
    AutoApplyOn();
    const int bright = config.table[90];
    Edit(1040)->setFocus(Qt::MouseFocusReason);
    Edit(1040)->setText("20");
    Spin(1076)->StepUp();
    const Wire sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ((Wire{sent[0], sent[1]}), (Wire{"P3F", "C14"})) << "the vertical position first";
    EXPECT_EQ(config.table[63], 20);
    EXPECT_EQ(config.table[90], bright + 1);
    EXPECT_TRUE(Edit(1075)->hasFocus());
}

TEST_F(ControlHandlersTest, FocusMovedByACallCountsAsLeavingTheField) {
    ShowActive();
    Edit(1021)->setFocus();
    Edit(1021)->setText("42");
    Edit(1040)->setFocus();
    EXPECT_EQ(config.table[30], 42);

    Edit(1040)->setText("abc");
    Edit(1021)->setFocus();
    EXPECT_EQ(op.Texts(), Wire{"Please enter an integer."}) << "one message, no loop";
    EXPECT_TRUE(Edit(1040)->hasFocus());

    // Closing the window gives up the focus without taking the field over.
    Edit(1040)->setText("7");
    dialog->close();
    QApplication::processEvents();
    EXPECT_NE(config.table[63], 7);
}

TEST_F(ControlHandlersTest, JamSendsItsFunction) {
    Open();
    Button(control::Jam)->click();
    EXPECT_EQ(Sent(), Wire{"E41"});
}

TEST_F(ControlHandlersTest, FailedWriteKeepsTheTableAndTheChoiceShown) {
    Open();
    AutoApplyOn();
    unit.AddFault(sim::Fault::Refuse('C', "PR"));
    Choose(1036, 2);
    EXPECT_EQ(Combo(1036)->currentIndex(), 2);
    EXPECT_EQ(config.table[65], 0);
    EXPECT_FALSE(config.modified);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Communication error"})
        << "slots are left: no question, the failure itself is reported";
}

} // namespace
} // namespace zeb40::test
