// Every command of the configuration window that fails says so once, and a
// unit that vanishes leaves the window as if it had opened without a link.

#include "ConfigWindowFixture.h"
#include "config/window/ProfileNumberDialog.h"
#include "resources/Strings.h"
#include "sim/Fault.h"

#include <QApplication>
#include <QTimer>

namespace zeb40::test {
namespace {

using sim::Fault;
using Texts = std::vector<std::string>;

class CommandFailuresTest : public ConfigWindowFixture {
  protected:
    void ExpectOneCommunicationError() {
        EXPECT_EQ(op.Texts(), Texts{strings::CommunicationError});
        if (!op.messages.empty()) {
            EXPECT_EQ(op.messages[0].caption, strings::ErrorCaption);
            EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
        }
        op.messages.clear();
    }
    void ExpectUnitControlsDisabled() {
        for (int id : {control::Reorganize, control::Apply, control::SetGenerator, control::Jam,
                       control::SetClock, control::SaveUserProfile})
            EXPECT_FALSE(Button(id)->isEnabled()) << id;
        for (int id : {control::AutoApply, control::GeneratorTimecode, control::ReaderTimecode})
            EXPECT_FALSE(Check(id)->isEnabled()) << id;
        EXPECT_FALSE(Check(control::AutoApply)->isChecked());
    }
};

TEST_F(CommandFailuresTest, RefusedUnitFunctionsAreReportedOnce) {
    Open();
    unit.AddFault(Fault::Refuse('E', "PR"));
    Button(control::Jam)->click();
    ExpectOneCommunicationError();

    unit.AddFault(Fault::Refuse('L', "PR"));
    Button(control::SetGenerator)->click();
    ExpectOneCommunicationError();

    unit.AddFault(Fault::Refuse('D', "PR"));
    Button(control::SetClock)->click();
    ExpectOneCommunicationError();

    unit.ClearFaults();
    for (int id : {control::Jam, control::SetGenerator, control::SetClock})
        Button(id)->click();
    EXPECT_TRUE(op.messages.empty()) << "a good link reports nothing";
    EXPECT_TRUE(Button(control::Apply)->isEnabled()) << "a refusal is no lost link";
}

TEST_F(CommandFailuresTest, FailedApplyIsReportedOnceUnlessTheReorganisationWasOffered) {
    Open();
    unit.AddFault(Fault::Refuse('P', "OV", 1).OnValue(41));
    Button(control::Apply)->click();
    ExpectOneCommunicationError();

    unit.AddFault(Fault::Refuse('O', "OV", 1));
    Check(control::AutoApply)->click();
    ExpectOneCommunicationError();
    EXPECT_FALSE(Check(control::AutoApply)->isChecked());

    // No items left: the question is the report.
    SetUnitCapacity(64, 64);
    unit.AddFault(Fault::Refuse('O', "AR", 1));
    op.answers.push_back(Answer::Cancel);
    Button(control::Apply)->click();
    EXPECT_EQ(op.Texts(), Texts{strings::NoItemsLeftQuestion()});
}

TEST_F(CommandFailuresTest, UnitVanishingIsReportedOnceAndTheWindowGoesOnWithoutIt) {
    settings->setValue("P/AutoApply", 1);
    Open();
    ASSERT_TRUE(Check(control::AutoApply)->isChecked());
    unit.HangUp();
    Button(control::Jam)->click();
    ExpectOneCommunicationError();
    ExpectUnitControlsDisabled();
    EXPECT_TRUE(dialog->ReportedLostLink());
    EXPECT_EQ(settings->value("P/AutoApply").toInt(), 1) << "the operator's choice stays";

    // Settings still reach the table, without a word about the lost unit.
    Choose(1010, 1);
    EXPECT_EQ(config.table[13], 1);
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(CommandFailuresTest, AutoApplyWriteToAVanishedUnitIsReported) {
    Open();
    AutoApplyOn();
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'C'));
    Choose(1036, 2);
    ExpectOneCommunicationError();
    EXPECT_EQ(Combo(1036)->currentIndex(), 2) << "the choice stays shown";
    ExpectUnitControlsDisabled();
}

TEST_F(CommandFailuresTest, MonitorStopsAndSaysSoWhenTheUnitVanishes) {
    Open();
    Check(control::ReaderTimecode)->click();
    Check(control::GeneratorTimecode)->click();
    ASSERT_TRUE(dialog->Monitor().Running());
    unit.HangUp();
    dialog->Monitor().Tick();
    ExpectOneCommunicationError();
    EXPECT_FALSE(dialog->Monitor().Running());
    EXPECT_FALSE(Check(control::ReaderTimecode)->isChecked());
    EXPECT_EQ(Check(control::ReaderTimecode)->text(), "Time Code");
    ExpectUnitControlsDisabled();
    dialog->Monitor().Tick();
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(CommandFailuresTest, OpeningOnAVanishedUnitShowsTheWindowAsWithoutALink) {
    unit.HangUp();
    Open();
    ExpectOneCommunicationError();
    ExpectUnitControlsDisabled();
    EXPECT_EQ(Check(control::ReaderTimecode)->text(), "Timecode");
}

TEST_F(CommandFailuresTest, ProfileSaveOnAVanishedUnitSaysOnlyThatTheSaveFailed) {
    Open();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<ProfileNumberDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Field()->setText("3");
        dialog->accept();
    });
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'C').After(5));
    Button(control::SaveUserProfile)->click();
    EXPECT_EQ(op.Texts(), Texts{strings::CantSaveProfile});
    ExpectUnitControlsDisabled();
    EXPECT_TRUE(dialog->ReportedLostLink());
}

TEST_F(CommandFailuresTest, ReorganizeReportsALostAnswerButNotAnEmptyMemory) {
    SetUnitCapacity(64, 0);
    Open();
    Button(control::Reorganize)->setEnabled(true);
    Button(control::Reorganize)->click();
    EXPECT_TRUE(op.messages.empty());
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'e', 1));
    Button(control::Reorganize)->click();
    ExpectOneCommunicationError();
}

} // namespace
} // namespace zeb40::test
