#include "ConfigWindowFixture.h"
#include "config/window/LoadProfileDialog.h"
#include "resources/Strings.h"
#include "sim/Fault.h"
#include "sim/RealTimeClock.h"

#include <QApplication>
#include <QTimer>

namespace zeb40::test {
namespace {

using sim::Fault;
using Wire = std::vector<std::string>;

class UnitFunctionsTest : public ConfigWindowFixture {
  protected:
    // Types into the next profile dialog and presses OK (or Cancel).
    void AnswerProfileDialog(const QString& number, bool ok = true) {
        QTimer::singleShot(0, [number, ok] {
            auto* dialog = qobject_cast<ProfileNumberDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->Field()->setText(number);
            if (ok)
                dialog->accept();
            else
                dialog->reject();
        });
    }
};

TEST_F(UnitFunctionsTest, ReorganizeAsksOnlyWhenItemsAreInUse) {
    SetUnitCapacity(64, 0);
    Open();
    Button(control::Reorganize)->setEnabled(true);
    Button(control::Reorganize)->click();
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(Sent(), Wire{});

    SetUnitCapacity(64, 10);
    op.answers.push_back(Answer::Cancel);
    Button(control::Reorganize)->click();
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text,
              "Do you want to reorganize config memory to make room for your settings?\n\n"
              "Warning:  Pressing OK will put the ZEB40 in the idle state for some seconds.\n"
              "Timecode reading or generating will stop for that period.\n\n"
              "Do not power off the unit until reorganization is completed!");
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Config Memory Reorganization");
    EXPECT_TRUE(Sent().empty());

    op.answers.push_back(Answer::Ok);
    Button(control::Reorganize)->click();
    EXPECT_EQ(Sent(), (Wire{"S", "Q"}));
    EXPECT_EQ(dialog->Controls().itemsText->text(), "64 items available");
    EXPECT_FALSE(Button(control::Reorganize)->isEnabled());
}

TEST_F(UnitFunctionsTest, SetClockSendsTimeDateAndTakesThem) {
    Open();
    Button(control::SetClock)->click();
    const Wire sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0][0], 'A');
    EXPECT_EQ(sent[1][0], 'D');
    EXPECT_EQ(sent[2], "E33");
    auto lock = unit.Lock();
    EXPECT_EQ(unit.Find<sim::RealTimeClock>()->Settings(), 1);
}

TEST_F(UnitFunctionsTest, SaveUserProfileAppliesThenSaves) {
    unit.Configure("save-ms", "1500"); // longer than the normal read timeout
    Open();
    AnswerProfileDialog("9");
    Button(control::SaveUserProfile)->click();
    const Wire sent = Sent();
    ASSERT_EQ(sent.size(), 2u + 2 * 45 + 1 + 1);
    EXPECT_EQ(sent.front(), "S");
    EXPECT_EQ(sent.back(), "E89");
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(op.notices, Wire{"Saving User Profile..."});
    EXPECT_FALSE(op.noticeOpen);
}

TEST_F(UnitFunctionsTest, SaveUserProfileCancelledSendsNothing) {
    Open();
    AnswerProfileDialog("3", false);
    Button(control::SaveUserProfile)->click();
    EXPECT_TRUE(Sent().empty());
}

TEST_F(UnitFunctionsTest, ProfileDialogRefusesNumbersOutOfRange) {
    ProfileNumberDialog dialog({"Save User Profile", "", "", 9}, op);
    EXPECT_EQ(dialog.Field()->text(), "0");
    dialog.Field()->setText("10");
    dialog.accept();
    EXPECT_EQ(op.Texts(), Wire{"Please enter an integer between 0 and 9."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.Field()->setText("x");
    dialog.accept();
    EXPECT_EQ(op.Texts().back(), "Please enter a positive integer.");
    dialog.Field()->setText("-1");
    dialog.accept();
    EXPECT_EQ(op.Texts().back(), "Please enter a positive integer.");
}

TEST_F(UnitFunctionsTest, LoadProfileSendsTheNumberAsDecimalDigits) {
    AnswerProfileDialog("0");
    EXPECT_TRUE(LoadProfile(link, op, nullptr));
    AnswerProfileDialog("12");
    unit.Configure("profile", "12");
    EXPECT_TRUE(LoadProfile(link, op, nullptr));
    AnswerProfileDialog("499");
    EXPECT_TRUE(LoadProfile(link, op, nullptr));
    AnswerProfileDialog("7", false);
    EXPECT_FALSE(LoadProfile(link, op, nullptr));
    EXPECT_EQ(ReceivedTexts(), (Wire{"B", "B12", "B499"}));
    EXPECT_EQ(op.Texts(), Wire{strings::ProfileDoesNotExist});
}

} // namespace
} // namespace zeb40::test
