// diff, verify and apply --changed against emulated units on pseudo-terminals:
// what is compared, what is printed, and which items go over the wire.

#include "config/ItemDescriptions.h"
#include "sim/ConfigMemory.h"
#include "tests/cli/CliFixture.h"

#include <QJsonArray>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

namespace zeb40::test {
namespace {

using Texts = std::vector<std::string>;

// A valid value other than the default, for every kind of setting.
std::uint8_t OtherThanDefault(const ItemDescription& description) {
    const std::uint8_t standard = description.defaultValue;
    switch (description.encoding) {
    case ItemEncoding::Index:
    case ItemEncoding::OffFlag:
    case ItemEncoding::Check:
        return standard == 1 ? 0 : 1;
    case ItemEncoding::Bcd:
        return standard == 0 ? 1 : 0;
    case ItemEncoding::Number:
        break;
    }
    const auto lowest = static_cast<std::uint8_t>(description.fieldMin);
    return standard == lowest ? static_cast<std::uint8_t>(lowest + 1) : lowest;
}

class ComparisonCommands : public CliFixture {
  protected:
    void SetUp() override {
        CliFixture::SetUp();
        file = dir.File("rack.zeb");
        ASSERT_EQ(Run({"read", "-o", file}).code, 0);
        unit.ClearReceived();
    }
    std::uint8_t Item(int item) {
        auto lock = unit.Lock();
        return unit.State().items[static_cast<std::size_t>(item)];
    }
    void SetItemOnUnit(int item, std::uint8_t value) {
        auto lock = unit.Lock();
        unit.State().items[static_cast<std::size_t>(item)] = value;
    }
    // The commands after the 45 reads of the unit's settings.
    Texts Writes() {
        Texts commands = Commands();
        auto reads = std::count_if(commands.begin(), commands.end(),
                                   [](const std::string& text) { return text.starts_with('c'); });
        EXPECT_EQ(reads, 45);
        commands.erase(commands.begin(), commands.begin() + std::min<long>(reads, 45));
        return commands;
    }

    TempDir dir;
    std::string file;
};

TEST_F(ComparisonCommands, AUnitAsInItsFileIsEqual) {
    CliRun diff = Run({"diff", file});
    EXPECT_EQ(diff.code, 0) << diff.err;
    EXPECT_EQ(diff.out, "");
    CliRun verify = Run({"verify", file});
    EXPECT_EQ(verify.code, 0) << verify.err;
    EXPECT_EQ(verify.out, "Settings as in " + file + "\n");
    // Only reads: nothing was written.
    for (const auto& text : Commands())
        EXPECT_TRUE(text.starts_with('c')) << text;
    CliRun json = Run({"--json", "verify", file});
    EXPECT_TRUE(json.Json()["ok"].toBool());
    EXPECT_TRUE(json.Json()["differences"].toArray().isEmpty());
}

TEST_F(ComparisonCommands, OneDriftedSettingIsOneLineWithBothValues) {
    SetItemOnUnit(88, 1);
    CliRun diff = Run({"diff", file});
    EXPECT_EQ(diff.code, 9);
    EXPECT_EQ(diff.out,
              "general.norm            General        Norm            PAL                   "
              "NTSC\n");
    EXPECT_EQ(diff.err, "");

    CliRun verify = Run({"verify", file});
    EXPECT_EQ(verify.code, 9);
    EXPECT_EQ(verify.out, "1 setting differs from " + file + ": general.norm\n");

    QJsonObject json = Run({"--json", "diff", file}).Json();
    EXPECT_FALSE(json["ok"].toBool());
    EXPECT_EQ(json["exitCode"].toInt(), 9);
    QJsonArray differences = json["differences"].toArray();
    ASSERT_EQ(differences.size(), 1);
    QJsonObject norm = differences[0].toObject();
    EXPECT_EQ(norm["name"].toString(), "general.norm");
    EXPECT_EQ(norm["item"].toInt(), 88);
    EXPECT_EQ(norm["group"].toString(), "General");
    EXPECT_EQ(norm["label"].toString(), "Norm");
    EXPECT_EQ(norm["values"].toArray(), (QJsonArray{"PAL", "NTSC"}));
    EXPECT_EQ(norm["stored"].toArray(), (QJsonArray{0, 1}));
}

TEST_F(ComparisonCommands, EverySettingDiffersAndApplyChangedWritesThemAllAsApply) {
    std::array<std::uint8_t, 100> drifted{};
    {
        auto lock = unit.Lock();
        for (const auto& description : SettingItems())
            unit.State().items[static_cast<std::size_t>(description.item)] =
                OtherThanDefault(description);
        drifted = unit.State().items;
    }
    const std::string defaults = dir.File("defaults.zeb");
    ASSERT_EQ(Run({"new", defaults}).code, 0);
    CliRun diff = Run({"diff", defaults});
    EXPECT_EQ(diff.code, 9);
    EXPECT_EQ(std::count(diff.out.begin(), diff.out.end(), '\n'), 45) << diff.out;
    EXPECT_TRUE(Run({"verify", defaults}).out.starts_with("45 settings differ from "));

    unit.ClearReceived();
    CliRun apply = Run({"apply", "--changed", defaults});
    ASSERT_EQ(apply.code, 0) << apply.err;
    Texts writes = Writes();
    ASSERT_EQ(writes.size(), 2u + 90u + 1u + 1u);
    EXPECT_EQ(writes[0], "S");
    EXPECT_EQ(writes[1], "O");
    EXPECT_EQ(writes[2], "PC");
    EXPECT_EQ(writes[writes.size() - 2], "S");
    EXPECT_EQ(writes.back(), "e95");
    EXPECT_TRUE(apply.out.starts_with("45 settings applied (generate.frame-rate, ")) << apply.out;
    EXPECT_TRUE(apply.out.ends_with("function-keys.f5); 19 items available\n")) << apply.out;
    // The default file holds Read Source 7Fh, which apply writes as 3.
    EXPECT_EQ(Run({"verify", defaults}).code, 0);

    // Plain apply from the same start leaves the unit the same.
    std::array<std::uint8_t, 100> changed{};
    {
        auto lock = unit.Lock();
        changed = unit.State().items;
        unit.State().items = drifted;
        unit.Find<sim::ConfigMemory>()->SetInUse(0);
    }
    ASSERT_EQ(Run({"apply", defaults}).code, 0);
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items, changed);
}

TEST_F(ComparisonCommands, ApplyChangedSendsExactlyTheDifferingPairs) {
    SetItemOnUnit(20, 1);    // LTC Edge
    SetItemOnUnit(60, 0x83); // Insert Source Off
    SetItemOnUnit(88, 1);
    CliRun apply = Run({"apply", "--changed", file});
    ASSERT_EQ(apply.code, 0) << apply.err;
    EXPECT_EQ(Writes(), (Texts{"S", "O", "P14", "C0", "P3C", "C1", "P58", "C0", "S", "e95"}));
    EXPECT_EQ(apply.out, "3 settings applied (generate.ltc-edge, insert.source, general.norm); "
                         "61 items available\n");
    EXPECT_EQ(Item(60), 1);

    unit.ClearReceived();
    CliRun again = Run({"--json", "apply", "--changed", file});
    EXPECT_EQ(again.code, 0);
    EXPECT_TRUE(Writes().empty()) << "nothing written when nothing differs";
    EXPECT_TRUE(again.Json()["changed"].toArray().isEmpty());
    EXPECT_EQ(Run({"apply", "--changed", file}).out, "Nothing to apply\n");
}

TEST_F(ComparisonCommands, ApplyChangedOnAFullMemoryReorganisesAndWritesWhatStillDiffers) {
    SetItemOnUnit(12, 2);
    SetItemOnUnit(96, 3);
    {
        auto lock = unit.Lock();
        auto* memory = unit.Find<sim::ConfigMemory>();
        memory->SetInUse(63); // room for one of the two
        memory->SetReorganizeMs(10);
    }
    // Without a terminal and without --yes the question goes unanswered, as for apply.
    CliRun refused = Run({"apply", "--changed", file});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("There are no config items left in the ZEB40."), std::string::npos);
    EXPECT_EQ(Item(12), 0);
    EXPECT_EQ(Item(96), 3);

    unit.ClearReceived();
    {
        auto lock = unit.Lock();
        unit.Find<sim::ConfigMemory>()->SetInUse(63);
    }
    SetItemOnUnit(12, 2);
    CliRun accepted = Run({"--yes", "apply", "--changed", file});
    EXPECT_EQ(accepted.code, 0) << accepted.err;
    Texts commands = Commands();
    auto reorganized = std::find(commands.begin(), commands.end(), "Q");
    ASSERT_NE(reorganized, commands.end());
    // Read again after the reorganisation; item 12 went in before it.
    Texts after(reorganized, commands.end());
    EXPECT_EQ(std::count(after.begin(), after.end(), "cC"), 1);
    EXPECT_EQ(std::count(after.begin(), after.end(), "PC"), 0);
    EXPECT_EQ(std::count(after.begin(), after.end(), "P60"), 1);
    EXPECT_EQ(Item(96), 0);
    EXPECT_EQ(Run({"verify", file}).code, 0);
}

TEST_F(ComparisonCommands, ALostUnitDuringApplyChangedIsACommunicationError) {
    SetItemOnUnit(12, 2);
    SetItemOnUnit(96, 3);
    unit.AddFault(sim::Fault::Of(sim::Fault::Kind::HangUp, 'C').After(1));
    CliRun run = Run({"apply", "--changed", file});
    EXPECT_EQ(run.code, 6);
    EXPECT_EQ(run.err, "zeb40ctl: Communication error\n");
}

TEST_F(ComparisonCommands, AUnitThatRefusesAReadIsNotCompared) {
    unit.AddFault(sim::Fault::Refuse('c', "PR").OnValue(44));
    for (const Texts& command :
         {Texts{"diff", file}, Texts{"verify", file}, Texts{"apply", "--changed", file}}) {
        CliRun run = Run(command);
        EXPECT_EQ(run.code, 5) << command[0];
        EXPECT_EQ(run.err, "zeb40ctl: the unit refused to report its settings\n");
        EXPECT_EQ(run.out, "");
    }
    // Nothing but reads reached the unit.
    for (const auto& text : Commands())
        EXPECT_TRUE(text.starts_with('c')) << text;
}

TEST_F(ComparisonCommands, AFileWithTheOlderHeaderIsCompared) {
    std::ifstream current(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(current), {}};
    const std::string older = dir.File("older.zeb");
    std::ofstream(older, std::ios::binary) << "ZEB-40 Configuration File\x1a" << bytes.substr(25);
    EXPECT_EQ(Run({"verify", older}).code, 0);
    SetItemOnUnit(90, 7);
    CliRun diff = Run({"diff", older});
    EXPECT_EQ(diff.code, 9);
    EXPECT_TRUE(diff.out.starts_with("display.bright")) << diff.out;
    EXPECT_EQ(RunTool({"diff", older, file}).code, 0);
}

TEST_F(ComparisonCommands, TwoFilesNeedNoUnit) {
    const std::string second = dir.File("second.zeb");
    ASSERT_EQ(Run({"read", "-o", second}).code, 0);
    ASSERT_EQ(RunTool({"set", "-f", second, "read.source", "Auto"}).code, 0);
    ASSERT_EQ(RunTool({"set", "-f", second, "display.bright", "5"}).code, 0);
    unit.ClearReceived();
    // The unit's 3 and the file's 7Fh both show "Auto": the bytes tell them apart.
    CliRun diff = RunTool({"diff", second, file});
    EXPECT_EQ(diff.code, 9);
    EXPECT_EQ(diff.out,
              "read.source             Read           Source          Auto (03h)            "
              "Auto (7Fh)\n"
              "display.bright          Display        Bright          5                     "
              "3\n");
    QJsonObject json = RunTool({"--json", "diff", second, file}).Json();
    EXPECT_EQ(json["file"].toString().toStdString(), second);
    EXPECT_EQ(json["otherFile"].toString().toStdString(), file);
    EXPECT_EQ(RunTool({"diff", file, dir.File("none.zeb")}).code, 7);
    EXPECT_EQ(RunTool({"diff", file, second, file}).code, 2);
    EXPECT_EQ(RunTool({"verify"}).code, 2);
    EXPECT_TRUE(ReceivedTexts().empty());
}

// verify on a rack: the real program once per unit.
class ComparisonOnSeveralUnits : public ::testing::Test {
  protected:
    void SetUp() override {
        for (std::uint32_t i = 0; i < 3; ++i) {
            auto unit = std::make_unique<sim::Emulator>();
            ASSERT_TRUE(unit->Start()) << "no pseudo-terminal";
            {
                auto lock = unit->Lock();
                unit->State().identifier = 0x1000 + i;
            }
            units.push_back(std::move(unit));
        }
        file = dir.File("rack.zeb");
        ASSERT_EQ(RunTool({"new", file}).code, 0);
        ASSERT_EQ(Run({"--yes", "apply", file}).code, 0);
    }
    void TearDown() override {
        for (auto& unit : units)
            unit->Stop();
    }
    CliRun Run(std::vector<std::string> arguments) {
        std::vector<std::string> all;
        for (auto& unit : units)
            all.insert(all.end(), {"--port", unit->DevicePath()});
        all.insert(all.end(), arguments.begin(), arguments.end());
        cli::CliEnvironment environment;
        environment.program = ZEB40_BINARY_DIR "/cli/zeb40ctl";
        return RunTool(all, environment);
    }
    std::string Port(std::size_t i) { return units[i]->DevicePath(); }
    static bool Has(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    std::vector<std::unique_ptr<sim::Emulator>> units;
    TempDir dir;
    std::string file;
};

TEST_F(ComparisonOnSeveralUnits, OneDriftedUnitIsNamedInItsLineAndTheSummary) {
    {
        auto lock = units[1]->Lock();
        units[1]->State().items[88] = 1;
    }
    CliRun run = Run({"verify", file});
    EXPECT_EQ(run.code, 9) << run.out << run.err;
    const std::string drift = "1 setting differs from " + file + ": general.norm";
    EXPECT_TRUE(Has(run.out, Port(0) + ": Settings as in " + file + "\n")) << run.out;
    EXPECT_TRUE(Has(run.out, Port(1) + ": " + drift + "\n")) << run.out;
    EXPECT_TRUE(Has(run.out, Port(1) + "  00001001  3.46     failed (9)  " + drift)) << run.out;
    EXPECT_TRUE(Has(run.out, Port(2) + "  00001002  3.46     ok          Settings as in"))
        << run.out;
    EXPECT_TRUE(run.out.ends_with("\n1 of 3 units failed\n")) << run.out;

    // A unit that cannot be compared outranks one that differs.
    units[2]->AddFault(sim::Fault::Of(sim::Fault::Kind::Silent, '\b'));
    EXPECT_EQ(Run({"verify", file}).code, 4);

    units[2]->ClearFaults();
    ASSERT_EQ(Run({"--yes", "apply", "--changed", file}).code, 0);
    EXPECT_EQ(Run({"verify", file}).code, 0);
    QJsonObject json = Run({"--json", "diff", file}).Json();
    EXPECT_EQ(json["units"].toArray().size(), 3);
    EXPECT_TRUE(json["ok"].toBool());
}

} // namespace
} // namespace zeb40::test
