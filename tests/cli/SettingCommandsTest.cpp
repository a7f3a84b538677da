// get, set, settings, read, show and apply: settings of the unit and of
// configuration files.

#include "sim/ConfigMemory.h"
#include "tests/cli/CliFixture.h"

#include <QJsonArray>
#include <filesystem>
#include <fstream>

namespace zeb40::test {
namespace {

using Texts = std::vector<std::string>;

class SettingCommands : public CliFixture {
  protected:
    std::uint8_t Item(int item) {
        auto lock = unit.Lock();
        return unit.State().items[static_cast<std::size_t>(item)];
    }
    void SetItemOnUnit(int item, std::uint8_t value) {
        auto lock = unit.Lock();
        unit.State().items[static_cast<std::size_t>(item)] = value;
    }
    TempDir dir;
};

TEST_F(SettingCommands, GetReadsOneItem) {
    SetItemOnUnit(12, 3);
    CliRun run = Run({"get", "generate.frame-rate"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "30 DF\n");
    EXPECT_EQ(Commands(), (Texts{"cC"}));

    QJsonObject json = Run({"--json", "get", "generate.frame-rate"}).Json();
    EXPECT_EQ(json["value"].toString(), "30 DF");
    EXPECT_EQ(json["stored"].toInt(), 3);
    EXPECT_EQ(json["item"].toInt(), 12);
}

TEST_F(SettingCommands, SetWritesTheItemAtOnce) {
    CliRun run = Run({"set", "generate.frame-rate", "30 df"});
    EXPECT_EQ(run.code, 0) << run.err;
    // Norm, size and the item itself decide the bounds; then 'P', 'C' and the count.
    EXPECT_EQ(Commands(), (Texts{"c58", "c40", "cC", "PC", "C3", "e95"}));
    EXPECT_EQ(Item(12), 3);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "generate.frame-rate = 30 DF");
}

TEST_F(SettingCommands, SetAppliesTheWindowsBounds) {
    SetItemOnUnit(88, 1); // NTSC
    CliRun run = Run({"--json", "set", "generate.vitc-line-1", "8"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Item(17), 10);
    QJsonObject json = run.Json();
    EXPECT_TRUE(json["bounded"].toBool());
    EXPECT_EQ(json["value"].toString(), "10");

    SetItemOnUnit(64, 1); // Large
    unit.ClearReceived();
    EXPECT_EQ(Run({"set", "position.horizontal", "100"}).code, 0);
    EXPECT_EQ(Item(62), 69);
    EXPECT_EQ(Commands()[3], "P3E");
    EXPECT_EQ(Commands()[4], "C45");

    EXPECT_EQ(Run({"set", "generate.time-frames", "27"}).code, 0);
    EXPECT_EQ(Item(24), 0x27); // NTSC keeps frame 27
}

TEST_F(SettingCommands, SetOffKeepsTheFormerSource) {
    SetItemOnUnit(60, 3);
    EXPECT_EQ(Run({"set", "insert.source", "off"}).code, 0);
    EXPECT_EQ(Item(60), 0x83);
    EXPECT_EQ(Run({"get", "insert.source"}).out, "Off\n");
    EXPECT_EQ(Run({"set", "insert.source", "Gen Time"}).code, 0);
    EXPECT_EQ(Item(60), 1);
}

TEST_F(SettingCommands, SetRefusesWhatTheWindowWouldRefuseBeforeTalkingToTheUnit) {
    CliRun unknown = Run({"set", "generate.nothing", "1"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown setting 'generate.nothing'"), std::string::npos);
    CliRun outside = Run({"set", "generate.vitc-line-1", "31"});
    EXPECT_EQ(outside.code, 2);
    EXPECT_NE(outside.err.find("Please enter an integer between 6 and 30."), std::string::npos);
    EXPECT_TRUE(ReceivedTexts().empty());
}

TEST_F(SettingCommands, SetOnAFullMemoryOffersTheReorganisation) {
    {
        auto lock = unit.Lock();
        auto* memory = unit.Find<sim::ConfigMemory>();
        memory->SetCapacity(4);
        memory->SetInUse(4);
        memory->SetReorganizeMs(10);
    }
    CliRun refused = Run({"set", "display.bright", "5"});
    EXPECT_EQ(refused.code, 1) << "the question could not be answered";
    EXPECT_NE(refused.err.find("There are no config items left in the ZEB40."), std::string::npos);
    EXPECT_NE(Item(90), 5);
    for (const auto& text : Commands())
        EXPECT_NE(text, "Q");

    unit.ClearReceived();
    CliRun accepted = Run({"--yes", "set", "display.bright", "5"});
    EXPECT_EQ(accepted.code, 0) << accepted.err;
    EXPECT_EQ(Item(90), 5);
    Texts commands = Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "Q"), commands.end());
    EXPECT_EQ(commands[commands.size() - 2], "C5");
}

TEST_F(SettingCommands, SettingsListsEveryNameWithWhatItTakes) {
    CliRun run = RunTool({"--json", "settings"});
    ASSERT_EQ(run.code, 0);
    QJsonArray settings = run.Json()["settings"].toArray();
    ASSERT_EQ(settings.size(), 45);
    EXPECT_EQ(settings[0].toObject()["name"].toString(), "generate.frame-rate");
    EXPECT_EQ(settings[0].toObject()["entries"].toArray().size(), 5);
    EXPECT_NE(RunTool({"settings"}).out.find("jam.wheel  (Jam, Wheel): 1 to 99\n"),
              std::string::npos);
}

TEST_F(SettingCommands, ReadWritesAConfigurationFileAndShowPrintsIt) {
    SetItemOnUnit(15, 1);
    const std::string file = dir.File("unit.zeb");
    CliRun read = Run({"read", "-o", file});
    ASSERT_EQ(read.code, 0) << read.err;
    Texts commands = Commands();
    ASSERT_EQ(commands.size(), 45u);
    EXPECT_EQ(commands.front(), "cC");
    EXPECT_EQ(commands.back(), "c60");
    EXPECT_EQ(std::filesystem::file_size(file), 125u);

    CliRun shown = RunTool({"show", file});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_NE(shown.out.find("generate.ltc-gain       Generate       LTC Gain        -24 dB\n"),
              std::string::npos);
    QJsonArray settings = RunTool({"--json", "show", file}).Json()["settings"].toArray();
    ASSERT_EQ(settings.size(), 45);
    EXPECT_EQ(settings[3].toObject()["value"].toString(), "-24 dB");
    EXPECT_EQ(settings[3].toObject()["group"].toString(), "Generate");
    EXPECT_EQ(settings[3].toObject()["label"].toString(), "LTC Gain");
}

TEST_F(SettingCommands, ReadWithoutAFilePrintsTheSettings) {
    CliRun run = Run({"--json", "read"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.Json()["settings"].toArray().size(), 45);
}

TEST_F(SettingCommands, ReadReplacesAFileOnlyWhenAllowed) {
    const std::string file = dir.File("old.zeb");
    std::ofstream(file) << "keep me";
    CliRun refused = Run({"read", "-o", file});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("already exists"), std::string::npos);
    EXPECT_TRUE(ReceivedTexts().empty());
    EXPECT_EQ(std::filesystem::file_size(file), 7u);

    EXPECT_EQ(Run({"--yes", "read", "-o", file}).code, 0);
    EXPECT_EQ(std::filesystem::file_size(file), 125u);
}

TEST_F(SettingCommands, ApplySendsAllSettingsAsApplyDoes) {
    const std::string file = dir.File("unit.zeb");
    SetItemOnUnit(90, 6);
    ASSERT_EQ(Run({"read", "-o", file}).code, 0);
    SetItemOnUnit(90, 2);
    unit.ClearReceived();

    CliRun run = Run({"apply", file});
    ASSERT_EQ(run.code, 0) << run.err;
    Texts commands = Commands();
    ASSERT_EQ(commands.size(), 2u + 90u + 1u + 1u);
    EXPECT_EQ(commands[0], "S");
    EXPECT_EQ(commands[1], "O");
    EXPECT_EQ(commands[2], "PC");
    EXPECT_EQ(commands[commands.size() - 2], "S");
    EXPECT_EQ(commands.back(), "e95");
    EXPECT_EQ(Item(90), 6);
}

TEST_F(SettingCommands, ApplyOnAFullMemoryReorganisesWithYesAndAppliesAgain) {
    const std::string file = dir.File("unit.zeb");
    ASSERT_EQ(Run({"new", file}).code, 0);
    {
        auto lock = unit.Lock();
        auto* memory = unit.Find<sim::ConfigMemory>();
        memory->SetInUse(50); // 14 of 64 left: the apply runs out midway
        memory->SetReorganizeMs(10);
    }
    CliRun refused = Run({"apply", file});
    EXPECT_EQ(refused.code, 1) << "the question could not be answered";
    EXPECT_NE(refused.err.find("There are no config items left in the ZEB40."), std::string::npos);

    unit.ClearReceived();
    CliRun accepted = Run({"--yes", "apply", file});
    EXPECT_EQ(accepted.code, 0) << accepted.err;
    Texts commands = Commands();
    auto reorganized = std::find(commands.begin(), commands.end(), "Q");
    ASSERT_NE(reorganized, commands.end());
    // After the reorganisation the whole apply runs once more, to its end.
    EXPECT_EQ(std::count(reorganized, commands.end(), "O"), 1);
    EXPECT_EQ(commands[commands.size() - 2], "S");
    EXPECT_EQ(accepted.out, "All settings applied; 19 items available\n");
}

TEST_F(SettingCommands, ApplyStopsAtARefusal) {
    const std::string file = dir.File("unit.zeb");
    ASSERT_EQ(Run({"read", "-o", file}).code, 0);
    unit.ClearReceived();
    unit.AddFault(sim::Fault::Refuse('P', "PR").OnValue(41));
    CliRun run = Run({"apply", file});
    EXPECT_EQ(run.code, 5);
    Texts commands = Commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "S"), 1);
    EXPECT_EQ(commands.back(), "e95");
}

TEST_F(SettingCommands, NewFileAndEditingItWithoutTheUnit) {
    const std::string file = dir.File("offline.zeb");
    CliRun created = RunTool({"new", file});
    ASSERT_EQ(created.code, 0) << created.err;
    EXPECT_EQ(std::filesystem::file_size(file), 125u);
    EXPECT_EQ(RunTool({"get", "-f", file, "generate.ltc-gain"}).out, "0 dB\n");

    EXPECT_EQ(RunTool({"set", "-f", file, "generate.vitc-line-1", "6"}).code, 0);
    EXPECT_EQ(RunTool({"set", "--file", file, "position.vertical", "130"}).code, 0);
    EXPECT_EQ(RunTool({"set", "-f", file, "jam.offset-frames", "29"}).code, 0);
    EXPECT_EQ(RunTool({"get", "-f", file, "jam.offset-frames"}).out, "24\n"); // PAL bound
    // Switching to NTSC bounds what depends on the norm anew, as the window does.
    CliRun norm = RunTool({"--json", "set", "-f", file, "general.norm", "ntsc"});
    ASSERT_EQ(norm.code, 0) << norm.err;
    EXPECT_EQ(norm.Json()["value"].toString(), "NTSC");
    EXPECT_EQ(RunTool({"get", "-f", file, "generate.vitc-line-1"}).out, "10\n");
    EXPECT_EQ(RunTool({"get", "-f", file, "position.vertical"}).out, "111\n");
    EXPECT_EQ(RunTool({"new", file}).code, 1); // exists: needs --yes
    EXPECT_EQ(RunTool({"--yes", "new", file}).code, 0);
    EXPECT_EQ(RunTool({"get", "-f", file, "general.norm"}).out, "PAL\n");
    EXPECT_TRUE(ReceivedTexts().empty());
}

TEST_F(SettingCommands, FilesThatCannotBeUsed) {
    CliRun missing = RunTool({"show", dir.File("none.zeb")});
    EXPECT_EQ(missing.code, 7);
    EXPECT_EQ(missing.err, "zeb40ctl: " + dir.File("none.zeb") + ": Failed to open file!\n");

    const std::string wrong = dir.File("wrong.zeb");
    std::ofstream(wrong) << "zeb40 configuration file\x1a" << std::string(100, '\0');
    CliRun invalid = Run({"--json", "apply", wrong});
    EXPECT_EQ(invalid.code, 7);
    EXPECT_EQ(invalid.Json()["error"].toString().toStdString(),
              wrong + ": This is not a valid ZEB file!");
    EXPECT_TRUE(ReceivedTexts().empty());

    CliRun unwritable = Run({"read", "-o", dir.File("no/such/folder.zeb")});
    EXPECT_EQ(unwritable.code, 7);
}

} // namespace
} // namespace zeb40::test
