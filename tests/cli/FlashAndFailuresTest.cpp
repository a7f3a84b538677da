// The exit status of each kind of failure, and the flash update from a
// package named on the command line.

#include "cli/CliArguments.h"
#include "cli/CommandTable.h"
#include "cli/MultiUnitRun.h"
#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"
#include "tests/cli/CliFixture.h"

#include <fstream>

namespace zeb40::test {
namespace {

// On the fake line, where the silences pass as fake time.
class Failures : public CliFixture {
  protected:
    Failures() : CliFixture(Line::Fake) {}
};

TEST_F(Failures, UsageErrorsNeedNoUnit) {
    CliRun run = RunTool({"bogus"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "zeb40ctl: unknown command 'bogus'; see 'zeb40ctl --help'\n");
    EXPECT_EQ(run.out, "");
}

TEST_F(Failures, EveryCommandRunsAndEndsWithAStatus) {
    TempDir dir;
    for (const auto& command : cli::Commands()) {
        std::vector<std::string> arguments{"--port", "/dev/zeb40-no-such-port",
                                           std::string(command.name)};
        for (int i = 0; i < command.minWords; ++i)
            arguments.push_back(dir.File("word"));
        CliRun run;
        EXPECT_NO_THROW(run = RunTool(arguments)) << command.name;
        EXPECT_GE(run.code, 0) << command.name;
        EXPECT_LE(run.code, 8) << command.name;
    }
}

TEST_F(Failures, NoPortAtAll) {
    CliRun run = RunTool({"info"});
    EXPECT_EQ(run.code, 3);
    EXPECT_NE(run.err.find("Please select a port name"), std::string::npos);
}

TEST_F(Failures, PortThatCannotBeOpened) {
    CliRun run = RunTool({"--json", "--port", "/dev/zeb40-no-such-port", "info"});
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err, "zeb40ctl: Can't open port /dev/zeb40-no-such-port: No such file or "
                       "directory.\n");
    QJsonObject json = run.Json();
    EXPECT_FALSE(json["ok"].toBool());
    EXPECT_EQ(json["exitCode"].toInt(), 3);
    EXPECT_TRUE(json["error"].toString().startsWith("Can't open port"));
}

TEST_F(Failures, NothingAnswersThePresenceCheck) {
    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, '\b'));
    CliRun run = Run({"get", "generate.sync"});
    EXPECT_EQ(run.code, 4);
    EXPECT_NE(run.err.find("Can't connect to ZEB40.  Please check cable and port name"),
              std::string::npos);
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b"}));
}

TEST_F(Failures, UnitWithoutAnIdentifierCountsAsAbsent) {
    unit.AddFault(sim::Fault::Refuse('e', "NC").OnValue(0x98));
    EXPECT_EQ(Run({"info"}).code, 4);
}

TEST_F(Failures, RefusalAndLostLineAreToldApart) {
    unit.AddFault(sim::Fault::Refuse('c', "AR", 1));
    CliRun refused = Run({"get", "generate.sync"});
    EXPECT_EQ(refused.code, 5);

    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, 'c', 1));
    CliRun silent = Run({"get", "generate.sync"});
    EXPECT_EQ(silent.code, 6);
    EXPECT_EQ(silent.err, "zeb40ctl: Communication error\n");

    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, 'e'));
    EXPECT_EQ(Run({"info"}).code, 4); // the identifier is the first thing asked
    unit.ClearFaults();
    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, 'e').OnValue(0x99));
    EXPECT_EQ(Run({"info"}).code, 6);
}

TEST_F(Failures, ALineThatVanishesMidwayIsACommunicationError) {
    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::HangUp, 'c').After(3));
    CliRun run = Run({"read"});
    EXPECT_EQ(run.code, 6);
    EXPECT_EQ(run.out, "");
}

// On the fake line: the fixed waits of the update pass as fake time.
class FlashCommand : public CliFixture {
  protected:
    FlashCommand() : CliFixture(Line::Fake) {}
    void SetUp() override {
        CliFixture::SetUp();
        auto lock = unit.Lock();
        flash = unit.Find<sim::FlashMode>();
        ASSERT_NE(flash, nullptr);
        flash->SetPageTime(std::chrono::milliseconds(0));
    }
    std::string Package(const std::string& text) {
        std::ofstream(dir.File("fw.zcf"), std::ios::binary) << text;
        return dir.File("fw.zcf");
    }
    std::string GoodPackage() {
        std::vector<std::uint8_t> image(600);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i * 7);
        return Package(sim::FlashPackageText(image));
    }

    sim::FlashMode* flash = nullptr;
    TempDir dir;
};

TEST_F(FlashCommand, ProgramsTheUnitWithProgressLines) {
    CliRun run = Run({"flash", GoodPackage()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Flash update successfully completed\n");
    EXPECT_NE(run.err.find("VELOR ZEB40 Flash Update: 0%\n"), std::string::npos);
    EXPECT_NE(run.err.find("VELOR ZEB40 Flash Update: 100%\n"), std::string::npos);
    auto lock = unit.Lock();
    std::vector<std::uint8_t> flashed = flash->Flash(600);
    EXPECT_EQ(flashed[599], static_cast<std::uint8_t>(599 * 7));
}

TEST_F(FlashCommand, QuietAndJson) {
    CliRun run = Run({"--quiet", "--json", "flash", GoodPackage()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.Json()["ok"].toBool());
}

TEST_F(FlashCommand, VerifyErrorHasItsOwnExitStatus) {
    {
        auto lock = unit.Lock();
        sim::FlashFault lowercase;
        lowercase.reply = sim::FlashReply::ReadBack;
        lowercase.kind = sim::FlashFault::Kind::Lowercase;
        flash->AddFault(lowercase);
    }
    CliRun run = Run({"--json", "flash", GoodPackage()});
    EXPECT_EQ(run.code, 8);
    EXPECT_NE(run.err.find("Error while updating Flash ROM.  Please try again. Verify error(41)"),
              std::string::npos);
    EXPECT_EQ(run.Json()["flashError"].toInt(), 41);
}

TEST_F(FlashCommand, PackagesThatCannotBeUsed) {
    CliRun missing = Run({"flash", dir.File("none.zcf")});
    EXPECT_EQ(missing.code, 7);
    EXPECT_NE(missing.err.find("Failed to open file!"), std::string::npos);

    CliRun malformed = Run({"flash", Package("not a package\n")});
    EXPECT_EQ(malformed.code, 7);
    EXPECT_NE(malformed.err.find("(13)"), std::string::npos);
}

// The package is read and checked before the port: a package that cannot be
// used is the news, whatever the port, and the unit hears nothing.
TEST_F(FlashCommand, APackageThatCannotBeUsedIsReportedBeforeThePort) {
    std::string empty = sim::FlashPackageText({});
    const std::string tooLarge =
        Package(sim::FlashPackageText(std::vector<std::uint8_t>(40961, 0x33)));
    std::ofstream(dir.File("empty.zcf"), std::ios::binary) << empty;

    for (const auto& [package, number] :
         {std::pair{dir.File("empty.zcf"), 27}, std::pair{tooLarge, 24}}) {
        CliRun noPort = RunTool({"--json", "flash", package});
        EXPECT_EQ(noPort.code, 7) << noPort.err;
        EXPECT_EQ(noPort.err.find("Please select a port name"), std::string::npos);
        EXPECT_EQ(noPort.Json()["flashError"].toInt(), number);

        CliRun missingPort = RunTool({"--port", "/dev/zeb40-no-such-port", "flash", package});
        EXPECT_EQ(missingPort.code, 7) << missingPort.err;
        EXPECT_NE(missingPort.err.find("(" + std::to_string(number) + ")"), std::string::npos);

        CliRun onTheUnit = Run({"flash", package});
        EXPECT_EQ(onTheUnit.code, 7);
    }
    EXPECT_EQ(unit.ReceivedBytes(), "");
    auto lock = unit.Lock();
    EXPECT_FALSE(flash->InFlashMode());
}

TEST_F(FlashCommand, ReadAheadTakesOneToFour) {
    for (const std::string bad : {"0", "5", "x", "", "1.5", "-1"}) {
        CliRun run = Run({"flash", "--read-ahead=" + bad, GoodPackage()});
        EXPECT_EQ(run.code, 2) << bad;
        EXPECT_NE(run.err.find("Please enter an integer between 1 and 4."), std::string::npos)
            << run.err;
    }
    EXPECT_EQ(unit.ReceivedBytes(), "");
    CliRun run = Run({"flash", "--read-ahead", "4", GoodPackage()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Flash update successfully completed\n");
}

TEST(FlashReadAheadOption, GoesOnToEachUnitOfASeveralPortsRun) {
    auto parsed = cli::ParseCliArguments(
        {"--port", "a", "--port", "b", "--yes", "flash", "--read-ahead", "4", "fw.zcf"});
    ASSERT_TRUE(parsed.invocation);
    auto child = cli::ParseCliArguments(cli::ChildArguments(*parsed.invocation, "b", ""));
    ASSERT_TRUE(child.invocation);
    EXPECT_EQ(child.invocation->options.at("--read-ahead"), "4");
    EXPECT_EQ(child.invocation->words, std::vector<std::string>{"fw.zcf"});
}

// The line in both directions at once on a real pseudo-terminal, paced at
// 38400 baud: 4 requests ahead pass against a unit with the usual receive
// queue, and fail, never succeed, against one whose queue cannot take them.
// An image without pad characters: the stop-and-wait read-back never sends
// ahead, so it passes against either.
class PacedReadAhead : public ::testing::Test {
  protected:
    static std::vector<std::uint8_t> Image() {
        std::vector<std::uint8_t> image(600);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i * 11 + 5);
        return image;
    }
    CliRun Flash(std::size_t receiveQueue, const std::string& readAhead, std::uint64_t& overruns) {
        sim::Emulator paced({.paced = true, .receiveQueue = receiveQueue});
        EXPECT_TRUE(paced.Start());
        {
            auto lock = paced.Lock();
            paced.Find<sim::FlashMode>()->SetPageTime(std::chrono::milliseconds(0));
        }
        std::ofstream(dir.File("fw.zcf"), std::ios::binary) << sim::FlashPackageText(Image());
        CliRun run = RunTool({"--quiet", "--json", "--port", paced.DevicePath(), "flash",
                              "--read-ahead", readAhead, dir.File("fw.zcf")});
        paced.Stop();
        overruns = paced.OverrunCharacters();
        if (run.code == 0) {
            auto lock = paced.Lock();
            EXPECT_EQ(paced.Find<sim::FlashMode>()->Flash(600), Image());
        }
        return run;
    }
    TempDir dir;
};

TEST_F(PacedReadAhead, FourAheadPassWhereTheUnitTakesThem) {
    std::uint64_t overruns = 0;
    CliRun run = Flash(16, "4", overruns);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(overruns, 0u);
}

TEST_F(PacedReadAhead, AUnitThatCannotTakeFourAheadFailsTheUpdate) {
    std::uint64_t overruns = 0;
    CliRun run = Flash(1, "4", overruns);
    EXPECT_TRUE(run.code == 8 || run.code == 6) << run.code << run.err;
    EXPECT_NE(run.err.find("Verify error(41)"), std::string::npos) << run.err;
    EXPECT_GT(overruns, 0u);

    run = Flash(1, "1", overruns);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(overruns, 0u);
}

TEST_F(FlashCommand, AUnitThatWillNotSwitchModes) {
    {
        auto lock = unit.Lock();
        flash->SetSwitchAccepts(sim::FlashMode::SwitchAccepts::Never);
    }
    CliRun run = Run({"flash", GoodPackage()});
    EXPECT_EQ(run.code, 4);
    EXPECT_NE(run.err.find("(30)"), std::string::npos);
}

TEST_F(FlashCommand, AUnitThatRefusesTheModeQueryIsNoUnit) {
    // The "Can't connect" box follows error (29); the number must still be 29.
    unit.AddFault(sim::Fault::Refuse('l', "NC"));
    CliRun run = Run({"--json", "flash", GoodPackage()});
    EXPECT_EQ(run.code, 4);
    EXPECT_NE(run.err.find("(29)"), std::string::npos);
    EXPECT_EQ(run.Json()["flashError"].toInt(), 29);
}

} // namespace
} // namespace zeb40::test
