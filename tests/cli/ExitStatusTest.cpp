// The exit status of a failed command comes from the exchange that failed,
// the same however often the fault repeats: a refusal is 5, a silent,
// garbled, wrongly echoed or lost line 6. Commands that used to claim
// success after a failed exchange fail with its status.

#include "sim/ConfigMemory.h"
#include "tests/cli/CliFixture.h"

namespace zeb40::test {
namespace {

using sim::Fault;
using Texts = std::vector<std::string>;

constexpr int Repeats = 5;

// On the fake line, where silences and late answers pass as fake time.
class ExitStatus : public CliFixture {
  protected:
    ExitStatus() : CliFixture(Line::Fake) {}

    // The statuses of Repeats runs, each against the fault afresh.
    std::vector<int> Statuses(const Fault& fault, const std::vector<std::string>& arguments) {
        std::vector<int> statuses;
        for (int i = 0; i < Repeats; ++i) {
            unit.ClearFaults();
            unit.AddFault(fault);
            statuses.push_back(Run(arguments).code);
        }
        unit.ClearFaults();
        return statuses;
    }
    static std::vector<int> Each(int status) { return std::vector<int>(Repeats, status); }
};

TEST_F(ExitStatus, EachFaultGivesItsOwnStatusEveryRun) {
    TempDir dir;
    const std::vector<std::string> read{"--yes", "read", "-o", dir.File("unit.zeb")};
    EXPECT_EQ(Statuses(Fault::Of(Fault::Kind::WrongEchoValue, 'c').After(5), read), Each(6));
    EXPECT_EQ(Statuses(Fault::Of(Fault::Kind::WrongEchoLetter, 'c').After(5), read), Each(6));
    EXPECT_EQ(Statuses(Fault::Reply('c', "zz").After(5), read), Each(6));
    EXPECT_EQ(Statuses(Fault::Refuse('c', "OV").After(5), read), Each(5));
    EXPECT_EQ(Statuses(Fault::Of(Fault::Kind::Silent, 'e'), {"monitor", "--count", "3"}), Each(6));
    EXPECT_EQ(Statuses(Fault::Late('A', 1600), {"clock"}), Each(6));
    EXPECT_EQ(Statuses(Fault::Refuse('A', "PR"), {"clock"}), Each(5));
}

TEST_F(ExitStatus, NoSecondProbeAfterAFailedExchange) {
    unit.AddFault(Fault::Of(Fault::Kind::SilentReply, 'E'));
    CliRun run = Run({"jam"});
    EXPECT_EQ(run.code, 6);
    EXPECT_EQ(run.err, "zeb40ctl: Communication error\n");
    EXPECT_EQ(ReceivedTexts(), (Texts{"\b", "E41"})) << "the presence check only before";
}

TEST_F(ExitStatus, FactoryProfileLoadFailsWithItsB) {
    EXPECT_EQ(Statuses(Fault::Refuse('B', "PR"), {"profile", "load", "0"}), Each(5));
    EXPECT_EQ(Statuses(Fault::Of(Fault::Kind::Silent, 'B'), {"profile", "load", "0"}), Each(6));
    EXPECT_EQ(Statuses(Fault::Reply('B', "xyz"), {"profile", "load", "0"}), Each(6));

    unit.AddFault(Fault::Refuse('B', "PR", 1));
    unit.ClearReceived();
    CliRun run = Run({"profile", "load", "0"});
    EXPECT_EQ(run.err, "zeb40ctl: Can't load profile\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(Commands().size(), 46u) << "the settings are read back all the same";
}

TEST_F(ExitStatus, PositionFailsWithItsBatchBrackets) {
    EXPECT_EQ(Statuses(Fault::Refuse('O', "PR"), {"position", "upper-left"}), Each(5));
    EXPECT_EQ(Statuses(Fault::Of(Fault::Kind::Silent, 'S'), {"position", "upper-left"}), Each(6));

    unit.AddFault(Fault::Refuse('O', "PR", 1));
    unit.ClearReceived();
    CliRun run = Run({"position", "upper-left"});
    EXPECT_EQ(run.err, "zeb40ctl: the unit refused the position\n");
    EXPECT_EQ(Commands(), (Texts{"c58", "c40", "O", "P3E", "CA", "P3F", "CA", "S", "e95"}))
        << "the items are still written, as the window's buttons do";
}

TEST_F(ExitStatus, ProfileSaveFailsWhenItsApplyFailed) {
    ASSERT_TRUE(unit.Configure("save-ms", "10"));
    unit.AddFault(Fault::Refuse('C', "PR", 1).After(3));
    CliRun run = Run({"profile", "save", "2"});
    EXPECT_EQ(run.code, 5);
    EXPECT_EQ(run.err, "zeb40ctl: Saving User Profile...\n"
                       "zeb40ctl: the unit refused the settings\n");
    EXPECT_EQ(Commands().back(), "E82") << "the profile is saved, as the window does";

    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'P').After(2));
    EXPECT_EQ(Run({"profile", "save", "2"}).code, 6);
}

TEST_F(ExitStatus, FullMemoryWithoutAnAnswerIsAQuestionNotAnswered) {
    TempDir dir;
    ASSERT_EQ(Run({"new", dir.File("all.zeb")}).code, 0);
    {
        auto lock = unit.Lock();
        auto* memory = unit.Find<sim::ConfigMemory>();
        ASSERT_NE(memory, nullptr);
        memory->SetInUse(sim::ConfigMemory::DefaultCapacity);
    }
    CliRun apply = Run({"apply", dir.File("all.zeb")});
    EXPECT_EQ(apply.code, 1) << apply.err;
    EXPECT_NE(apply.err.find("add --yes"), std::string::npos) << apply.err;

    CliRun set = Run({"set", "generate.sync", "Free"});
    EXPECT_EQ(set.code, 1) << set.err;
}

// On a pseudo-terminal, where the garbled exchange's lines are still on
// their way when the command ends.
class ExitStatusOnALine : public CliFixture {};

TEST_F(ExitStatusOnALine, WrongEchoIsACommunicationErrorEveryRun) {
    TempDir dir;
    for (int i = 0; i < 3; ++i) {
        unit.ClearFaults();
        unit.AddFault(Fault::Of(Fault::Kind::WrongEchoValue, 'c').After(5));
        CliRun run = Run({"--yes", "read", "-o", dir.File("unit.zeb")});
        EXPECT_EQ(run.code, 6) << "run " << i;
        EXPECT_EQ(run.err, "zeb40ctl: Communication error\n");
    }
}

} // namespace
} // namespace zeb40::test
