#include "shell/UserCodeDialog.h"

#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zeb40 {
namespace {

using sim::Fault;

class UserCodeDialogTest : public test::EmulatorFixture {
  protected:
    // Types the code and clicks OK; true when the window ended.
    bool Enter(UserCodeDialog& dialog, const QString& code) {
        dialog.CodeField().setText(code);
        dialog.OkButton().click();
        return dialog.result() == QDialog::Accepted;
    }
    std::unique_ptr<UserCodeDialog> Dialog(std::string port) {
        return std::make_unique<UserCodeDialog>(link, std::move(port), op);
    }
    std::unique_ptr<UserCodeDialog> DialogOnUnit() { return Dialog(unit.DevicePath()); }

    test::ScriptedOperator op;
};

TEST_F(UserCodeDialogTest, LooksAsTheUnattendedModeShowsIt) {
    auto dialog = DialogOnUnit();
    EXPECT_EQ(dialog->windowTitle(), "VELOR ZEB40");
    EXPECT_EQ(dialog->CodeField().text(), "0");
    EXPECT_EQ(dialog->OkButton().text(), "OK");
    EXPECT_EQ(dialog->CancelButton().text(), "Abbrechen");
}

TEST_F(UserCodeDialogTest, CodesTravelAsDecimalDigitsFollowedByTwoZeros) {
    const std::vector<std::pair<QString, std::string>> cases{
        {"0", "D0"}, {"42", "D4200"}, {"9999", "D999900"}, {" 7 ", "D700"}};
    for (const auto& [code, sent] : cases) {
        unit.ClearReceived();
        auto dialog = DialogOnUnit();
        EXPECT_TRUE(Enter(*dialog, code)) << code.toStdString();
        EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b", "A0", sent}));
        EXPECT_FALSE(link.IsOpen());
    }
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(UserCodeDialogTest, RunReturnsTheAcceptedCode) {
    auto dialog = DialogOnUnit();
    QTimer::singleShot(0, dialog.get(), [&dialog] {
        dialog->CodeField().setText("4711");
        dialog->OkButton().click();
    });
    EXPECT_EQ(dialog->Run(), 4711);
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().userCode, 0x471100u);
}

TEST_F(UserCodeDialogTest, ValidationRefusesBeforeAnythingIsSent) {
    auto dialog = DialogOnUnit();
    EXPECT_FALSE(Enter(*dialog, "10000"));
    EXPECT_FALSE(Enter(*dialog, "abc"));
    EXPECT_FALSE(Enter(*dialog, "-1"));
    EXPECT_FALSE(Enter(*dialog, ""));
    EXPECT_EQ(op.Texts(), (std::vector<std::string>{"Please enter an integer between 0 and 9999.",
                                                    "Please enter a positive integer.",
                                                    "Please enter a positive integer.",
                                                    "Please enter a positive integer."}));
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
    EXPECT_TRUE(ReceivedTexts().empty());
}

TEST_F(UserCodeDialogTest, RefusedParameterWordIsNeverFollowedByTheCode) {
    unit.AddFault(Fault::Refuse('A', "PR", 1));
    auto dialog = DialogOnUnit();
    EXPECT_FALSE(Enter(*dialog, "42"));
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b", "A0"}));
    ASSERT_EQ(op.Texts(), (std::vector<std::string>{
                              "Can't connect to ZEB40.  Please check cable and port name"}));
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
    EXPECT_FALSE(link.IsOpen());

    unit.AddFault(Fault::Refuse('D', "UC", 1));
    EXPECT_FALSE(Enter(*dialog, "42"));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(op.messages.size(), 2u);
}

TEST_F(UserCodeDialogTest, EveryAttemptOpensThePortAfresh) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, '\b', 1));
    auto dialog = DialogOnUnit();
    EXPECT_FALSE(Enter(*dialog, "42"));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(Enter(*dialog, "42"));
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b", "\b", "A0", "D4200"}));
    EXPECT_EQ(op.Texts(), (std::vector<std::string>{
                              "Can't connect to ZEB40.  Please check cable and port name"}));
}

TEST_F(UserCodeDialogTest, PortProblemsAreReported) {
    auto missing = Dialog("/dev/zeb40-no-such-port");
    EXPECT_FALSE(Enter(*missing, "1"));
    auto unnamed = Dialog("");
    EXPECT_FALSE(Enter(*unnamed, "1"));
    EXPECT_EQ(op.Texts(),
              (std::vector<std::string>{"Can't open port", "Please select a port name"}));
}

TEST_F(UserCodeDialogTest, CancelSendsNothing) {
    auto dialog = DialogOnUnit();
    QTimer::singleShot(0, dialog.get(), [&dialog] { dialog->CancelButton().click(); });
    EXPECT_EQ(dialog->Run(), UserCodeDialog::Cancelled);
    EXPECT_TRUE(ReceivedTexts().empty());
}

} // namespace
} // namespace zeb40
