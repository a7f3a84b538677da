// Apply in the configuration window and Save User Profile against a unit that
// vanishes, falls silent, garbles its lines or answers late in the middle of
// the batch: the batch stops at the failed exchange, what was written stays
// written, nothing waits beyond the timeouts, and the next try works.

#include "config/ItemDescriptions.h"
#include "config/ProfileCommands.h"
#include "config/window/ConfigDialog.h"
#include "sim/ConfigMemory.h"
#include "tests/faults/FaultFixture.h"

#include <QSettings>
#include <algorithm>

namespace zeb40 {
namespace {

using sim::Fault;
using test::ByteTimeout;
using test::Immediate;
using test::SaveProfileByteTimeout;

// The first and the last item ApplyAll writes, both combos.
constexpr int FrameRate = 12;
constexpr int FunctionKey5 = 96;
constexpr int SavedProfile = 3;

class ApplyFaultsTest : public test::FaultFixture {
  protected:
    explicit ApplyFaultsTest(test::Line kind = test::Line::PseudoTerminal) : FaultFixture(kind) {}
    void SetUp() override {
        FaultFixture::SetUp();
        QSettings().clear();
        ASSERT_TRUE(OpenLink());
        OpenWindow();
    }
    void TearDown() override {
        dialog.reset();
        FaultFixture::TearDown();
    }

    void OpenWindow() {
        MakeRoom(unit);
        dialog.reset();
        dialog = std::make_unique<ConfigDialog>(link, config, op, settings);
        // Two settings that differ from the table: Apply sends them and stores
        // them only when their write went through.
        dialog->Controls().Setting(FrameRate).widgets.combo->setCurrentIndex(3);
        dialog->Controls().Setting(FunctionKey5).widgets.combo->setCurrentIndex(5);
        unit.ClearReceived();
        op.messages.clear();
    }
    double ClickApply() {
        test::Stopwatch watch = StartStopwatch();
        dialog->Controls().Button(control::Apply)->click();
        return watch.Seconds();
    }
    // The commands of the batch, without the item status reads around it.
    std::vector<std::string> BatchSent() {
        auto texts = ReceivedTexts();
        std::erase_if(texts, [](const std::string& text) { return text == "e95"; });
        return texts;
    }
    std::uint8_t UnitItem(int item) {
        auto lock = unit.Lock();
        return unit.State().items[static_cast<std::size_t>(item)];
    }
    void ExpectCompleteApply() {
        EXPECT_TRUE(dialog->ApplyAll());
        const auto sent = BatchSent();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.back(), "S");
        EXPECT_EQ(config.table[12], 3);
        EXPECT_EQ(config.table[96], 5);
        EXPECT_EQ(UnitItem(96), 5);
    }

    ConfigState config;
    QSettings settings;
    std::unique_ptr<ConfigDialog> dialog;
};

TEST_F(ApplyFaultsTest, UnitVanishingInTheBatchStopsItAtOnce) {
    // The eleventh 'C' writes item 25.
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'C').After(10));
    EXPECT_LT(ClickApply(), Immediate);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Communication error"});
    EXPECT_EQ(config.table[12], 3);
    EXPECT_EQ(UnitItem(12), 3);
    EXPECT_EQ(config.table[96], DefaultConfigItemTable()[96]);
    ASSERT_FALSE(BatchSent().empty());
    EXPECT_EQ(BatchSent().back(), "C0"); // item 25's write, then nothing
    // The window goes on as without a link.
    EXPECT_FALSE(dialog->Controls().Button(control::Apply)->isEnabled());
    EXPECT_TRUE(dialog->ReportedLostLink());

    auto fresh = StartFreshUnit();
    MakeRoom(*fresh);
    ASSERT_TRUE(OpenLinkOn(*fresh));
    OpenWindow();
    EXPECT_TRUE(dialog->ApplyAll());
    auto lock = fresh->Lock();
    for (int item : ApplyOrder())
        EXPECT_EQ(fresh->State().items[static_cast<std::size_t>(item)],
                  config.table[static_cast<std::size_t>(item)])
            << "item " << item;
}

TEST_F(ApplyFaultsTest, SilenceInTheBatchCostsOneTimeoutAndSendsNothingAfter) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'P', 1).OnValue(41));
    const double seconds = ClickApply();
    EXPECT_GT(seconds, 0.9 * ByteTimeout);
    EXPECT_LT(seconds, 2 * ByteTimeout);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Communication error"});
    ASSERT_FALSE(BatchSent().empty());
    EXPECT_EQ(BatchSent().back(), "P29"); // no later item, no closing 'S'
    EXPECT_EQ(config.table[12], 3);
    EXPECT_EQ(config.table[96], DefaultConfigItemTable()[96]);

    // A silent unit left nothing in transit: the same link goes on working.
    unit.ClearReceived();
    ExpectCompleteApply();
}

TEST_F(ApplyFaultsTest, GarbledReplyInTheBatchStopsItAtOnceAndAReopenStartsClean) {
    struct Case {
        const char* what;
        Fault fault;
    };
    const Case cases[] = {
        {"item value echoed wrong", Fault::Of(Fault::Kind::WrongEchoValue, 'C', 1).After(3)},
        {"item pointer echoed with another letter",
         Fault::Of(Fault::Kind::WrongEchoLetter, 'P', 1).After(3)},
        {"reply longer than a line", Fault::Of(Fault::Kind::LongLine, 'C', 1).After(3)},
        {"lines ending in LF only", Fault::Of(Fault::Kind::LfOnly, 'C', 1).After(3)},
        {"refused for want of items", Fault::Refuse('C', "AR", 1).After(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        unit.AddFault(c.fault);
        EXPECT_LT(ClickApply(), Immediate);
        EXPECT_EQ(op.Texts(), std::vector<std::string>{"Communication error"});
        const auto sent = BatchSent();
        ASSERT_FALSE(sent.empty());
        EXPECT_NE(sent.back(), "S");
        EXPECT_EQ(config.table[96], DefaultConfigItemTable()[96]);

        test::WaitForTheLineToSettle();
        ASSERT_TRUE(OpenLink());
        OpenWindow();
        ExpectCompleteApply();
        config.table[96] = DefaultConfigItemTable()[96];
        OpenWindow();
    }
}

TEST_F(ApplyFaultsTest, LateAnswersInsideTheTimeoutCompleteTheBatch) {
    unit.AddFault(Fault::Late('P', 700, 1).OnValue(41));
    unit.AddFault(Fault::Late('S', 700, 1).After(1));
    EXPECT_LT(ClickApply(), 2 * (0.7 + 0.7));
    ASSERT_FALSE(BatchSent().empty());
    EXPECT_EQ(BatchSent().back(), "S");
    EXPECT_EQ(config.table[96], 5);
}

// The raised waits of reorganising and saving a profile, waited out on the
// fake line.
class RaisedWaitFaultsTest : public ApplyFaultsTest {
  protected:
    RaisedWaitFaultsTest() : ApplyFaultsTest(test::Line::Fake) {}
};

TEST_F(RaisedWaitFaultsTest, UnitVanishingWhileReorganizingIsACommunicationError) {
    {
        auto lock = unit.Lock();
        unit.Find<sim::ConfigMemory>()->SetInUse(10);
    }
    dialog->RefreshItemCount(); // enables Reorganize
    unit.Configure("reorganize-ms", "0");
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'Q'));
    op.answers.push_back(Answer::Ok);
    test::Stopwatch watch = StartStopwatch();
    dialog->Controls().Button(control::Reorganize)->click();
    EXPECT_LT(watch.Seconds(), Immediate);
    ASSERT_EQ(op.messages.size(), 2u); // the question, then the failure
    EXPECT_EQ(op.messages[1].text, "Communication error");
    EXPECT_EQ(op.messages[1].caption, "ZEB40 Error");
}

TEST_F(RaisedWaitFaultsTest, SilentReorganizationEndsAtItsRaisedTimeout) {
    {
        auto lock = unit.Lock();
        unit.Find<sim::ConfigMemory>()->SetInUse(10);
    }
    dialog->RefreshItemCount();
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'Q', 1));
    op.answers.push_back(Answer::Ok);
    test::Stopwatch watch = StartStopwatch();
    dialog->Controls().Button(control::Reorganize)->click();
    const double seconds = watch.Seconds();
    EXPECT_GT(seconds, 0.9 * test::ReorganizeByteTimeout);
    EXPECT_LT(seconds, 2 * test::ReorganizeByteTimeout);
    ASSERT_EQ(op.messages.size(), 2u);
    EXPECT_EQ(op.messages[1].text, "Communication error");
    EXPECT_TRUE(dialog->Controls().Button(control::Reorganize)->isEnabled());

    // The silent unit left nothing in transit: Apply works on the same link.
    MakeRoom(unit);
    unit.ClearReceived();
    ExpectCompleteApply();
}

class ProfileSaveFaultsTest : public RaisedWaitFaultsTest {
  protected:
    void SetUp() override {
        RaisedWaitFaultsTest::SetUp();
        // The emulated unit takes its time to save unless told otherwise.
        unit.Configure("save-ms", "0");
    }
    bool Save(double& seconds) {
        MakeRoom(unit);
        test::Stopwatch watch = StartStopwatch();
        const bool saved =
            SaveUserProfileNumber(link, SavedProfile, op, [this] { dialog->ApplyAll(); })
                .value_or(LinkResult::Failed(LinkOutcome::Lost))
                .IsOk();
        seconds = watch.Seconds();
        return saved;
    }
    void ExpectCleanEnd() {
        EXPECT_EQ(op.notices, std::vector<std::string>{"Saving User Profile..."});
        EXPECT_FALSE(op.noticeOpen);
    }
};

TEST_F(ProfileSaveFaultsTest, UnitVanishingWhileSavingFailsAtOnceAndAFreshUnitSaves) {
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'C').After(5));
    double seconds = 0;
    EXPECT_FALSE(Save(seconds));
    EXPECT_LT(seconds, Immediate);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Can't save user profile"});
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
    ExpectCleanEnd();

    auto fresh = StartFreshUnit();
    fresh->Configure("save-ms", "0");
    MakeRoom(*fresh);
    ASSERT_TRUE(OpenLinkOn(*fresh));
    OpenWindow();
    op.notices.clear();
    EXPECT_TRUE(Save(seconds));
    EXPECT_TRUE(op.messages.empty());
    ExpectCleanEnd();
    EXPECT_TRUE(LoadProfileNumber(link, SavedProfile, op));
}

TEST_F(ProfileSaveFaultsTest, SlowSaveIsWaitedForAndSilenceEndsAtTheRaisedTimeout) {
    // Saving takes the unit seconds: longer than a normal exchange may take.
    unit.AddFault(Fault::Late('E', 2500, 1));
    double seconds = 0;
    EXPECT_TRUE(Save(seconds));
    EXPECT_TRUE(op.messages.empty());
    ExpectCleanEnd();

    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'E', 1));
    op.notices.clear();
    EXPECT_FALSE(Save(seconds));
    EXPECT_GT(seconds, 0.9 * SaveProfileByteTimeout);
    EXPECT_LT(seconds, 2 * SaveProfileByteTimeout);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Can't save user profile"});
    ExpectCleanEnd();

    // Nothing of the silent save is left in transit: the link goes on.
    op.messages.clear();
    op.notices.clear();
    EXPECT_TRUE(Save(seconds));
    EXPECT_TRUE(op.messages.empty());
}

} // namespace
} // namespace zeb40
