// Configuration files at the edges: a table whose bytes fit no setting, and
// save targets that are links to nowhere or loops of links.

#include "tests/cli/CliFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace zeb40::test {
namespace {

namespace fs = std::filesystem;

class FileTargets : public CliFixture {
  protected:
    std::size_t ItemWrites() {
        const auto texts = Commands();
        return static_cast<std::size_t>(std::count_if(
            texts.begin(), texts.end(), [](const std::string& text) { return text[0] == 'C'; }));
    }
    TempDir dir;
};

TEST_F(FileTargets, ApplyOfATableOfFFhSaysHowManySettingsWereWritten) {
    const std::string file = dir.File("erased.zeb");
    std::ofstream(file, std::ios::binary)
        << "ZEB40 Configuration File\x1a" << std::string(100, '\xff');
    CliRun run = Run({"apply", file});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::size_t written = ItemWrites();
    EXPECT_LT(written, 45u);
    EXPECT_EQ(run.out.substr(0, run.out.find(';')),
              "Only " + std::to_string(written) +
                  " of 45 settings applied: the file holds no valid value for the other " +
                  std::to_string(45 - written));

    unit.ClearReceived();
    CliRun json = Run({"--json", "apply", file});
    EXPECT_EQ(static_cast<std::size_t>(json.Json()["settingsApplied"].toInt()), written);
    EXPECT_EQ(ItemWrites(), written);

    ASSERT_EQ(Run({"--yes", "new", file}).code, 0);
    EXPECT_EQ(Run({"--json", "apply", file}).Json()["settingsApplied"].toInt(), 45);
}

TEST_F(FileTargets, ALinkToNowhereIsReplacedOnlyAfterTheQuestion) {
    const std::string link = dir.File("bench.zeb");
    fs::create_symlink(dir.File("gone.zeb"), link);
    // Without a terminal the question cannot be asked: nothing is read or written.
    EXPECT_EQ(Run({"read", "-o", link}).code, 1);
    EXPECT_EQ(RunTool({"new", link}).code, 1);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(ReceivedTexts().empty());

    ASSERT_EQ(Run({"--yes", "read", "-o", link}).code, 0);
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(link), 125u);
}

TEST_F(FileTargets, ALoopOfLinksIsRefusedBeforeTheUnitIsRead) {
    const std::string first = dir.File("a.zeb");
    fs::create_symlink(dir.File("b.zeb"), first);
    fs::create_symlink(first, dir.File("b.zeb"));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--yes", "read", "-o", first},
          std::vector<std::string>{"--yes", "new", first}}) {
        CliRun run = Run(arguments);
        EXPECT_EQ(run.code, 7);
        EXPECT_EQ(run.err, "zeb40ctl: " + first + ": Failed to open file!\n");
    }
    EXPECT_TRUE(fs::is_symlink(first));
    EXPECT_EQ(fs::read_symlink(first), dir.File("b.zeb"));
    EXPECT_TRUE(ReceivedTexts().empty());
}

} // namespace
} // namespace zeb40::test
