// info, usercode, generator-set, jam, monitor, clock, reorganize and profile
// against the emulated unit: what goes over the wire and what is printed.

#include "sim/ConfigMemory.h"
#include "tests/cli/CliFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <regex>
#include <sstream>
#include <thread>

namespace zeb40::test {
namespace {

using Texts = std::vector<std::string>;

class UnitCommands : public CliFixture {};

TEST(PortsCommand, ListsThePortsAsThePortFieldDoes) {
    cli::CliEnvironment environment;
    environment.serialPorts = [] {
        return std::vector<FoundPort>{{"ttyUSB0", "USB Serial Port"},
                                      {"ttyS0", "Communications Port"},
                                      {"pts/3", ""},
                                      {"ttyS2", ""},
                                      {"ttyACM0", "acm modem"}};
    };
    CliRun run = RunTool({"ports"}, environment);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "acm modem (COM201)          /dev/ttyACM0\n"
                       "Communications Port (COM1)  /dev/ttyS0\n"
                       "ttyS2 (COM3)                /dev/ttyS2\n"
                       "USB Serial Port (COM101)    /dev/ttyUSB0\n");
    QJsonArray ports = RunTool({"--json", "ports"}, environment).Json()["ports"].toArray();
    ASSERT_EQ(ports.size(), 4);
    EXPECT_EQ(ports[3].toObject()["name"].toString(), "USB Serial Port (COM101)");
    EXPECT_EQ(ports[3].toObject()["device"].toString(), "/dev/ttyUSB0");
    EXPECT_EQ(ports[3].toObject()["description"].toString(), "USB Serial Port");
    EXPECT_EQ(ports[3].toObject()["com"].toInt(), 101);
    // The name stands in for a missing description only in the entry.
    EXPECT_EQ(ports[2].toObject()["name"].toString(), "ttyS2 (COM3)");
    EXPECT_EQ(ports[2].toObject()["description"].toString(), "");
}

TEST_F(UnitCommands, InfoShowsTheMainWindowsTexts) {
    {
        auto lock = unit.Lock();
        unit.State().firstOptionWord = 0x00020001;
        unit.State().secondOptionWord = 0x00020003;
    }
    CliRun run = Run({"info"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Version: 3.46\t\tUnique ID:  0000002A\n"
                       "Config:  00020001 / 00020003\n"
                       "Options:\n"
                       "  Video Channel with Cinch connectors\n");
    EXPECT_EQ(ReceivedTexts(), (Texts{"\b", "e98", "e97", "e96", "e99"}));
}

TEST_F(UnitCommands, InfoAsJson) {
    {
        auto lock = unit.Lock();
        unit.State().identifier = 0xFFFFFFFF;
    }
    CliRun run = Run({"--json", "info"});
    ASSERT_EQ(run.code, 0) << run.err;
    QJsonObject json = run.Json();
    EXPECT_EQ(json["command"].toString(), "info");
    EXPECT_TRUE(json["ok"].toBool());
    EXPECT_EQ(json["version"].toString(), "3.46");
    EXPECT_TRUE(json["identifier"].isNull());
    EXPECT_EQ(json["versionText"].toString(), "3.46");
    EXPECT_EQ(json["configText"].toString(), "006F407F / 006F407F");
    EXPECT_EQ(json["options"].toArray().first().toString(), "Video Channel with BNC connectors");
}

TEST_F(UnitCommands, UserCodeTravelsAsItsDigitsAndTwoZeros) {
    CliRun run = Run({"usercode", "42"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Commands(), (Texts{"A0", "D4200"}));
    {
        auto lock = unit.Lock();
        EXPECT_EQ(unit.State().userCode, 0x4200u);
    }
    EXPECT_EQ(Run({"usercode", "10000"}).code, 2);
    EXPECT_EQ(Run({"usercode", "12x4"}).code, 2);
    EXPECT_EQ(Commands(), (Texts{"A0", "D4200"}));
}

TEST_F(UnitCommands, UserCodeRefusedByTheUnitNeverSendsTheCode) {
    unit.AddFault(sim::Fault::Refuse('A', "PR"));
    CliRun run = Run({"usercode", "1234"});
    EXPECT_EQ(run.code, 5);
    EXPECT_EQ(Commands(), (Texts{"A0"}));
    EXPECT_EQ(run.err, "zeb40ctl: the unit refused 'A' 0 before the user code (PR)\n")
        << "the refusal is the news, not the cable";

    unit.ClearFaults();
    unit.ClearReceived();
    unit.AddFault(sim::Fault::Refuse('D', "UC"));
    run = Run({"usercode", "1234"});
    EXPECT_EQ(run.code, 5);
    EXPECT_EQ(run.err, "zeb40ctl: the unit refused the user code (UC)\n");
    unit.ClearFaults();
    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, 'D'));
    run = Run({"usercode", "1234"});
    EXPECT_EQ(run.code, 6);
    EXPECT_EQ(run.err, "zeb40ctl: Communication error\n");
}

TEST_F(UnitCommands, GeneratorSetSendsUserBitsTimeAndPreset) {
    CliRun run = Run({"generator-set", "23:59:58:24", "12ab"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Commands(), (Texts{"D12AB", "A23595824", "P18", "L23595824"}));
    EXPECT_EQ(run.out, "Generator set to 23:59:58:24, user bits 000012AB\n");

    unit.ClearReceived();
    EXPECT_EQ(Run({"generator-set", "01:02:03:04"}).code, 0);
    EXPECT_EQ(Commands(), (Texts{"A1020304", "P18", "L1020304"}));

    unit.ClearReceived();
    EXPECT_EQ(Run({"generator-set", "24:00:00:00"}).code, 2);
    EXPECT_EQ(Run({"generator-set", "1:2:3"}).code, 2);
    EXPECT_EQ(Run({"generator-set", "01:02:03:04", "123456789"}).code, 2);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(UnitCommands, GeneratorSetSendsEverythingButReportsARefusal) {
    unit.AddFault(sim::Fault::Refuse('A', "PR"));
    CliRun run = Run({"generator-set", "10:00:00:00"});
    EXPECT_EQ(run.code, 5);
    Texts commands = Commands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ((Texts{commands[0], commands[1], commands[2]}),
              (Texts{"A10000000", "P18", "L10000000"}));
}

TEST_F(UnitCommands, JamSendsTheJamFunction) {
    EXPECT_EQ(Run({"jam"}).code, 0);
    EXPECT_EQ(Commands(), (Texts{"E41"}));
}

TEST_F(UnitCommands, PositionPresetsAsTheWindowsButtons) {
    CliRun run = Run({"position", "upper-left"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Commands(), (Texts{"c58", "c40", "O", "P3E", "CA", "P3F", "CA", "S", "e95"}));

    {
        auto lock = unit.Lock();
        unit.State().items[88] = 1; // NTSC
        unit.State().items[64] = 1; // Large
    }
    QJsonObject json = Run({"--json", "position", "Lower Right"}).Json();
    EXPECT_EQ(json["horizontal"].toInt(), 59);
    EXPECT_EQ(json["vertical"].toInt(), 93);
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items[62], 59);
    EXPECT_EQ(unit.State().items[63], 93);
}

TEST_F(UnitCommands, MonitorPrintsOneCaptionPerPoll) {
    CliRun run = Run({"monitor", "--count", "3"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Commands(), (Texts{"e23", "e23", "e23"}));
    std::regex caption("([0-9]{2}:){3}[0-9]{2}  [0-9A-F]{8}\n");
    std::smatch match;
    std::string rest = run.out;
    int lines = 0;
    while (std::regex_search(rest, match, caption) && match.position() == 0) {
        ++lines;
        rest = match.suffix();
    }
    EXPECT_EQ(lines, 3) << run.out;
    EXPECT_TRUE(rest.empty());
}

TEST_F(UnitCommands, MonitorWithBothSourcesTakesTurnsReaderFirst) {
    CliRun run = Run({"--json", "monitor", "--reader", "--generator", "-n", "4"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Commands(), (Texts{"e3", "e23", "e3", "e23"}));
    QJsonArray lines = run.Json()["lines"].toArray();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].toObject()["source"].toString(), "reader");
    EXPECT_EQ(lines[1].toObject()["source"].toString(), "generator");
    EXPECT_EQ(lines[0].toObject()["caption"].toString().size(), 21);
}

// Standard output that notes how many lines had arrived before the monitor was
// stopped, and stops it (as Ctrl+C would) once enough have.
class FollowedOutput : public std::stringbuf {
  public:
    FollowedOutput(std::atomic<bool>& stop, int wanted) : stop_(stop), wanted_(wanted) {}
    int linesBeforeStop = 0;

  protected:
    int sync() override {
        const std::string text = str();
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        if (!stop_)
            linesBeforeStop = lines;
        if (lines >= wanted_)
            stop_ = true;
        return 0;
    }

  private:
    std::atomic<bool>& stop_;
    int wanted_;
};

TEST_F(UnitCommands, MonitorWithoutCountStreamsOneJsonObjectPerPoll) {
    std::atomic<bool> stop{false};
    FollowedOutput followed(stop, 3);
    std::ostream out(&followed);
    std::ostringstream err;
    cli::CliEnvironment environment;
    environment.interrupted = &stop;
    // Ends the run even when nothing streams, so that failure is a failure
    // and not a hang.
    std::thread watchdog([&stop] {
        for (int i = 0; i < 100 && !stop; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        stop = true;
    });
    const int code =
        cli::RunCli({"--port", unit.DevicePath(), "--json", "monitor"}, out, err, environment);
    watchdog.join();
    ASSERT_EQ(code, 0) << err.str();
    EXPECT_EQ(followed.linesBeforeStop, 3) << "lines came only at the end";

    std::istringstream lines(followed.str());
    std::vector<QJsonObject> objects;
    for (std::string line; std::getline(lines, line);) {
        QJsonParseError error{};
        auto document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
        objects.push_back(document.object());
    }
    ASSERT_EQ(objects.size(), 4u) << followed.str();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(objects[i]["source"].toString(), "generator");
        EXPECT_EQ(objects[i]["caption"].toString().size(), 21);
    }
    EXPECT_EQ(objects[3]["command"].toString(), "monitor");
    EXPECT_TRUE(objects[3]["ok"].toBool());
    EXPECT_FALSE(objects[3].contains("lines"));
}

TEST_F(UnitCommands, MonitorGivesUpWhenTheUnitStopsAnswering) {
    unit.AddFault(sim::Fault::Reply('e', "5"));
    CliRun run = Run({"monitor", "--count", "3"});
    EXPECT_EQ(run.code, 6) << "one number where a pair belongs is no refusal";
    EXPECT_EQ(run.out, "");
}

TEST_F(UnitCommands, ClockSendsTimeDateAndTakeOver) {
    CliRun run = Run({"--json", "clock"});
    ASSERT_EQ(run.code, 0) << run.err;
    Texts commands = Commands();
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0], "c58");
    EXPECT_EQ(commands[1], "A" + run.Json()["timeWord"].toString().toStdString());
    EXPECT_EQ(commands[2], "D" + run.Json()["dateWord"].toString().toStdString());
    EXPECT_EQ(commands[3], "E33");
}

TEST_F(UnitCommands, ReorganizeAsksFirstAndNeedsYesWithoutATerminal) {
    {
        auto lock = unit.Lock();
        auto* memory = unit.Find<sim::ConfigMemory>();
        memory->SetInUse(5);
        memory->SetReorganizeMs(10);
    }
    CliRun refused = Run({"reorganize"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("Do you want to reorganize config memory"), std::string::npos);
    EXPECT_NE(refused.err.find("--yes"), std::string::npos);
    EXPECT_EQ(Commands(), (Texts{"e95"}));

    unit.ClearReceived();
    CliRun accepted = Run({"--yes", "reorganize"});
    EXPECT_EQ(accepted.code, 0) << accepted.err;
    EXPECT_EQ(Commands(), (Texts{"e95", "S", "Q", "e95"}));
    EXPECT_EQ(accepted.out, "Config memory reorganized; 64 items available\n");

    unit.ClearReceived();
    CliRun nothing = Run({"reorganize"});
    EXPECT_EQ(nothing.code, 0);
    EXPECT_EQ(Commands(), (Texts{"e95"}));
}

TEST_F(UnitCommands, ReorganizeAnsweredOnATerminal) {
    {
        auto lock = unit.Lock();
        unit.Find<sim::ConfigMemory>()->SetInUse(5);
    }
    std::istringstream answer("n\n");
    cli::CliEnvironment terminal;
    terminal.input = &answer;
    terminal.inputIsTerminal = true;
    EXPECT_EQ(Run({"reorganize"}, terminal).code, 1);
    EXPECT_EQ(Commands(), (Texts{"e95"}));
}

TEST_F(UnitCommands, ProfileLoadSendsTheDigitsAndReadsBack) {
    CliRun run = Run({"--json", "profile", "load", "0"});
    ASSERT_EQ(run.code, 0) << run.err;
    Texts commands = Commands();
    ASSERT_EQ(commands.size(), 46u);
    EXPECT_EQ(commands[0], "B");
    EXPECT_EQ(commands[1], "cC");
    EXPECT_EQ(run.Json()["settings"].toArray().size(), 45);

    unit.ClearReceived();
    CliRun missing = Run({"profile", "load", "12"});
    EXPECT_EQ(missing.code, 5);
    EXPECT_NE(missing.err.find("Profile does not exist"), std::string::npos);
    commands = Commands();
    EXPECT_EQ(commands.front(), "B12");
    EXPECT_EQ(commands.size(), 46u); // read back all the same

    unit.ClearReceived();
    EXPECT_EQ(Run({"profile", "load", "500"}).code, 2);
    EXPECT_EQ(Run({"profile", "save", "10"}).code, 2);
    EXPECT_EQ(Run({"profile", "drop", "1"}).code, 2);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(UnitCommands, ProfileSaveAppliesTheSettingsThenSaves) {
    ASSERT_TRUE(unit.Configure("save-ms", "10"));
    CliRun run = Run({"profile", "save", "9"});
    EXPECT_EQ(run.code, 0) << run.err;
    Texts commands = Commands();
    ASSERT_EQ(commands.size(), 45u + 2u + 90u + 1u + 1u + 1u);
    EXPECT_EQ(commands[45], "S");
    EXPECT_EQ(commands[46], "O");
    EXPECT_EQ(commands[commands.size() - 3], "S");
    EXPECT_EQ(commands.back(), "E89");
    EXPECT_NE(run.err.find("Saving User Profile..."), std::string::npos);
}

} // namespace
} // namespace zeb40::test
