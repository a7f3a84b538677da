// The exit status of each kind of failure, and the flash update from a
// package named on the command line.

#include "cli/CommandTable.h"
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
