// zeb40ctl with several ports: the real program runs once per unit against
// emulated units on pseudo-terminals of their own.

#include "cli/CliArguments.h"
#include "cli/MultiUnitRun.h"
#include "cli/UnitOutcome.h"
#include "cli/UnitPorts.h"
#include "cli/UnitProgressBoard.h"
#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"
#include "tests/cli/CliFixture.h"

#include <QJsonArray>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/wait.h>
#include <thread>

namespace zeb40::test {
namespace {

class SeveralUnits : public ::testing::Test {
  protected:
    void StartUnits(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            auto unit = std::make_unique<sim::Emulator>();
            ASSERT_TRUE(unit->Start()) << "no pseudo-terminal";
            {
                auto lock = unit->Lock();
                unit->State().identifier = 0x1000 + static_cast<std::uint32_t>(i);
            }
            units.push_back(std::move(unit));
        }
    }
    void TearDown() override {
        for (auto& unit : units)
            unit->Stop();
    }

    // The arguments after a --port for every unit.
    CliRun Run(std::vector<std::string> arguments) {
        std::vector<std::string> all;
        for (auto& unit : units) {
            all.push_back("--port");
            all.push_back(unit->DevicePath());
        }
        all.insert(all.end(), arguments.begin(), arguments.end());
        return RunTool(all, Environment());
    }
    cli::CliEnvironment Environment() {
        cli::CliEnvironment environment;
        environment.program = ZEB40_BINARY_DIR "/cli/zeb40ctl";
        environment.interrupted = &interrupted;
        return environment;
    }
    std::string Port(std::size_t i) { return units[i]->DevicePath(); }
    // The summary row of a unit, or "" when there is none.
    static std::string Row(const CliRun& run, const std::string& port) {
        std::istringstream lines(run.out);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with(port + " "))
                return line;
        }
        return {};
    }
    std::string WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name), std::ios::binary) << text;
        return dir.File(name);
    }
    std::size_t CountReceived(std::size_t unit, char letter) {
        std::size_t count = 0;
        for (const auto& command : units[unit]->Received())
            count += command.text.starts_with(letter) ? 1 : 0;
        return count;
    }

    // Units that take a while over each setting, and a file to apply.
    std::string SlowApply(std::size_t count) {
        StartUnits(count);
        for (auto& unit : units)
            unit->AddFault(sim::Fault::Late('C', 40));
        std::string file = dir.File("bench.zeb");
        EXPECT_EQ(RunTool({"new", file}).code, 0);
        return file;
    }
    void ExpectStoppedBetweenTwoCommands() {
        for (std::size_t i = 0; i < units.size(); ++i) {
            EXPECT_LT(CountReceived(i, 'C'), 45u) << i;
            // The last command went out whole.
            EXPECT_TRUE(units[i]->ReceivedBytes().ends_with("\r")) << i;
        }
    }

    std::vector<std::unique_ptr<sim::Emulator>> units;
    std::atomic<bool> interrupted{false};
    TempDir dir;
};

TEST_F(SeveralUnits, JsonHasEveryUnitsResultInPortOrder) {
    StartUnits(3);
    CliRun run = Run({"--json", "info"});
    EXPECT_EQ(run.code, 0) << run.err;
    QJsonObject json = run.Json();
    EXPECT_TRUE(json["ok"].toBool());
    EXPECT_EQ(json["failed"].toInt(), 0);
    QJsonArray results = json["units"].toArray();
    ASSERT_EQ(results.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QJsonObject unit = results[i].toObject();
        EXPECT_EQ(unit["port"].toString().toStdString(), Port(i));
        EXPECT_EQ(unit["identifier"].toString(), QString("0000100%1").arg(i));
        EXPECT_EQ(unit["version"].toString(), "3.46");
        EXPECT_EQ(unit["exitCode"].toInt(), 0);
    }
}

TEST_F(SeveralUnits, FailingUnitsAreReportedWhileTheOthersComplete) {
    StartUnits(4);
    units[1]->AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, '\b'));
    units[2]->AddFault(sim::Fault::Refuse('C', "AR").After(5));
    // Unplugged half-way through its settings.
    units[3]->AddFault(sim::Fault::Of(sim::Fault::Kind::HangUp, 'C').After(10));
    std::string file = dir.File("bench.zeb");
    ASSERT_EQ(RunTool({"new", file}).code, 0);

    CliRun run = Run({"--yes", "apply", file});
    EXPECT_EQ(run.code, 6) << run.out << run.err; // the most severe of 4, 5 and 6
    EXPECT_NE(Row(run, Port(0)).find("00001000  3.46     ok"), std::string::npos) << run.out;
    EXPECT_NE(Row(run, Port(1)).find("failed (4)  Can't connect to ZEB40."), std::string::npos)
        << run.out;
    EXPECT_NE(Row(run, Port(2)).find("failed (5)"), std::string::npos) << run.out;
    EXPECT_NE(Row(run, Port(3)).find("failed (6)  Communication error"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\n3 of 4 units failed\n"), std::string::npos);
    // Each message also stands on a line of its own, prefixed with the port.
    EXPECT_NE(run.err.find(Port(3) + ": Communication error\n"), std::string::npos) << run.err;
    EXPECT_EQ(CountReceived(0, 'C'), 45u);
    EXPECT_EQ(CountReceived(0, 'S'), 2u);
}

TEST_F(SeveralUnits, ReadWritesAFilePerUnitNamedByPortOrIdentifier) {
    StartUnits(2);
    CliRun unnamed = Run({"read", "-o", dir.File("all.zeb")});
    EXPECT_EQ(unnamed.code, 2);
    EXPECT_NE(unnamed.err.find("-o needs {port} or {id}"), std::string::npos);
    EXPECT_TRUE(units[0]->Received().empty());

    CliRun run = Run({"--json", "read", "-o", dir.File("unit-{id}-{port}.zeb")});
    EXPECT_EQ(run.code, 0) << run.err;
    for (std::size_t i = 0; i < 2; ++i) {
        std::string expected = dir.File("unit-0000100" + std::to_string(i) + "-" +
                                        cli::PortFileToken(Port(i)) + ".zeb");
        EXPECT_TRUE(std::filesystem::exists(expected)) << expected;
    }

    // Two units with one identifier would write one file: neither does.
    {
        auto lock = units[1]->Lock();
        units[1]->State().identifier = 0x1000;
    }
    CliRun shared = Run({"read", "-o", dir.File("twin-{id}.zeb")});
    EXPECT_EQ(shared.code, 7);
    EXPECT_FALSE(std::filesystem::exists(dir.File("twin-00001000.zeb")));
}

TEST_F(SeveralUnits, FlashProgramsEveryUnit) {
    StartUnits(2);
    std::vector<std::uint8_t> image(600);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7);
    sim::StampFirmwareVersion(image, 0x0351);
    for (auto& unit : units) {
        auto lock = unit->Lock();
        unit->Find<sim::FlashMode>()->SetPageTime(std::chrono::milliseconds(0));
    }
    CliRun run = Run({"flash", WriteFile("fw.zcf", sim::FlashPackageText(image))});
    EXPECT_EQ(run.code, 0) << run.err;
    for (std::size_t i = 0; i < 2; ++i) {
        // The summary shows the version the unit runs after the update.
        EXPECT_NE(Row(run, Port(i)).find("3.51     ok      Flash update successfully completed"),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.err.find(Port(i) + ": VELOR ZEB40 Flash Update: 100%\n"), std::string::npos);
        auto lock = units[i]->Lock();
        EXPECT_EQ(units[i]->Find<sim::FlashMode>()->Flash(600)[599],
                  static_cast<std::uint8_t>(599 * 7));
    }
}

TEST_F(SeveralUnits, CtrlCStopsEveryUnitBetweenTwoCommands) {
    std::string file = SlowApply(3);
    std::thread ctrlC([this] {
        units[2]->WaitForReceived(20, std::chrono::seconds(10));
        interrupted = true;
    });
    CliRun run = Run({"--json", "--yes", "apply", file});
    ctrlC.join();

    EXPECT_EQ(run.code, 6) << run.err;
    QJsonArray results = run.Json()["units"].toArray();
    ASSERT_EQ(results.size(), 3);
    for (const auto& result : results)
        EXPECT_FALSE(result.toObject()["ok"].toBool());
    ExpectStoppedBetweenTwoCommands();
}

// The real program: Ctrl+C reaches it alone, as from a terminal, and it
// passes it on to each unit's run.
TEST_F(SeveralUnits, CtrlCOnTheProgramStopsEveryUnit) {
    std::string file = SlowApply(2);
    std::string command = "timeout --foreground --preserve-status -s INT 1 " ZEB40_BINARY_DIR
                          "/cli/zeb40ctl --port " +
                          Port(0) + " --port " + Port(1) + " --yes apply " + file +
                          " </dev/null >" + dir.File("out") + " 2>&1";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 6);
    std::ifstream output(dir.File("out"));
    std::string text((std::istreambuf_iterator<char>(output)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("stopped (6)"), std::string::npos) << text;
    EXPECT_NE(text.find("2 of 2 units failed"), std::string::npos) << text;
    ExpectStoppedBetweenTwoCommands();
}

TEST_F(SeveralUnits, CommandsWithoutAUnitAreUsageErrorsBeforeAnythingStarts) {
    StartUnits(2);
    TempDir dir;
    std::ofstream(dir.File("a.zeb"));
    const std::vector<std::vector<std::string>> fileCommands = {
        {"settings"},
        {"ports"},
        {"show", dir.File("a.zeb")},
        {"new", dir.File("new.zeb")},
        {"set", "-f", dir.File("a.zeb"), "general.norm", "NTSC"},
        {"get", "--file", dir.File("a.zeb"), "general.norm"},
    };
    for (const auto& arguments : fileCommands) {
        CliRun run = Run(arguments);
        EXPECT_EQ(run.code, 2) << arguments.front();
        EXPECT_EQ(run.out, "") << arguments.front();
        EXPECT_NE(run.err.find("talks to no unit"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.zeb")));
    EXPECT_EQ(Run({"monitor"}).code, 2);
    for (auto& unit : units)
        EXPECT_TRUE(unit->Received().empty()) << "no child ran";
}

TEST(UnitPortList, PortsFromAFileAndFromTheCommandLineInOrder) {
    TempDir dir;
    std::ofstream(dir.File("rack.txt")) << "# rack 1\n  ttyUSB0  \n\nttyUSB1 # top\r\n";
    cli::UnitPortList list = cli::ListUnitPorts(
        {{"ttyS0", false}, {dir.File("rack.txt"), true}, {"USB Serial Port (COM103)", false}});
    EXPECT_EQ(list.error, "");
    EXPECT_EQ(list.ports, (std::vector<std::string>{"ttyS0", "ttyUSB0", "ttyUSB1",
                                                    "USB Serial Port (COM103)"}));

    // The same device twice could only be opened once.
    cli::UnitPortList twice = cli::ListUnitPorts({{"ttyUSB0", false}, {"COM101", false}});
    EXPECT_EQ(twice.error, "port 'COM101' names the same device as 'ttyUSB0'");

    std::ofstream(dir.File("empty.txt")) << "# nothing yet\n";
    EXPECT_EQ(cli::ListUnitPorts({{dir.File("empty.txt"), true}}).error,
              "no port named in " + dir.File("empty.txt"));
    EXPECT_TRUE(cli::ListUnitPorts({{dir.File("none.txt"), true}}).fileError);
}

TEST(UnitPortList, OnePortFromAFileIsAnOrdinaryRun) {
    TempDir dir;
    std::ofstream(dir.File("one.txt")) << "/dev/zeb40-no-such-port\n";
    CliRun run = RunTool({"--ports-from", dir.File("one.txt"), "info"});
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err, "zeb40ctl: Can't open port /dev/zeb40-no-such-port: No such file or "
                       "directory.\n");
}

TEST(UnitFiles, NamesFromPortAndIdentifier) {
    EXPECT_EQ(cli::PortFileToken("/dev/pts/3"), "pts-3");
    EXPECT_EQ(cli::PortFileToken("COM101"), "ttyUSB0");
    EXPECT_EQ(cli::PortFileToken("USB Serial Port (COM102)"), "ttyUSB1");
    EXPECT_EQ(cli::UnitFileName("{port}/{id}-{id}.zeb", "/dev/ttyS0", "0000002A"),
              "ttyS0/0000002A-0000002A.zeb");
    EXPECT_FALSE(cli::NamesEachUnit("bench.zeb"));
    EXPECT_TRUE(cli::NamesEachUnit("{port}.zeb"));
}

TEST(UnitOutcomes, TheHighestStatusIsTheMostSevere) {
    auto outcomes = [](std::vector<int> codes) {
        std::vector<cli::UnitOutcome> list;
        for (int code : codes) {
            cli::UnitOutcome outcome;
            outcome.exitCode = code;
            list.push_back(outcome);
        }
        return list;
    };
    EXPECT_EQ(cli::MostSevereExitCode(outcomes({0, 0})), 0);
    EXPECT_EQ(cli::MostSevereExitCode(outcomes({1, 0, 2})), 2);
    EXPECT_EQ(cli::MostSevereExitCode(outcomes({7, 8, 3})), 8);
}

TEST(UnitProgressBoard, RedrawsItsLinesInPlace) {
    std::ostringstream terminal;
    cli::UnitProgressBoard board(terminal, 2);
    board.Set(0, "a");
    board.Set(1, "b");
    board.Draw(true);
    EXPECT_EQ(terminal.str(), "\r\x1b[2Ka\n\r\x1b[2Kb\n");
    terminal.str("");
    board.Draw(true);
    EXPECT_EQ(terminal.str(), ""); // nothing changed
    // Back up over both lines; a long line is cut so that it cannot wrap.
    board.Set(1, std::string(100, 'x'));
    board.Draw(true);
    EXPECT_EQ(terminal.str(), "\x1b[2A\r\x1b[2Ka\n\r\x1b[2K" + std::string(79, 'x') + "\n");
}

TEST(ChildArguments, ParseBackToTheSameCommandOnOnePort) {
    auto parsed = cli::ParseCliArguments(
        {"--yes", "-q", "--port", "a", "--port", "b", "read", "-o", "{port}.zeb"});
    ASSERT_TRUE(parsed.invocation);
    auto child = cli::ChildArguments(*parsed.invocation, "b", "ttyB.zeb");
    auto again = cli::ParseCliArguments(child);
    ASSERT_TRUE(again.invocation) << again.error;
    EXPECT_EQ(again.invocation->port, "b");
    EXPECT_EQ(again.invocation->portArguments.size(), 1u);
    EXPECT_TRUE(again.invocation->yes && again.invocation->quiet);
    EXPECT_EQ(again.invocation->options.at("--output"), "ttyB.zeb");

    // Arguments that look like options stay arguments.
    auto set = cli::ParseCliArguments({"set", "generate.ltc-gain", "-24 dB"});
    auto setAgain = cli::ParseCliArguments(cli::ChildArguments(*set.invocation, "a", ""));
    ASSERT_TRUE(setAgain.invocation);
    EXPECT_EQ(setAgain.invocation->words.back(), "-24 dB");
}

} // namespace
} // namespace zeb40::test
