#include "files/FileCommands.h"

#include "resources/Strings.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace zeb40 {
namespace {

namespace fs = std::filesystem;

class FileCommandsTest : public ::testing::Test {
  protected:
    std::string SavedFile(const std::string& name, std::uint8_t item12) {
        ConfigState saved;
        saved.table[12] = item12;
        ConfigDocument doc{dir.File(name), name};
        EXPECT_TRUE(WriteConfigFile(doc, saved, op));
        return doc.path;
    }
    ChosenFile Chosen(const std::string& name) {
        return {dir.File(name), fs::path(name).stem().string()};
    }
    // A named configuration with a change.
    void OpenModified(const std::string& name) {
        op.files = {Chosen(name)};
        commands.Open();
        ASSERT_EQ(document.path, dir.File(name));
        config.table[13] = 1;
        config.modified = true;
        op.messages.clear();
    }

    test::TempDir dir;
    ConfigDocument document;
    ConfigState config;
    test::ScriptedOperator op;
    FileCommands commands{document, config, op};
};

TEST_F(FileCommandsTest, OpenAsksForAConfigurationFileAndReadsIt) {
    SavedFile("show.zeb", 3);
    op.files = {Chosen("show.zeb")};
    commands.Open();
    ASSERT_EQ(op.fileChoices.size(), 1u);
    const FileChoice& choice = op.fileChoices[0];
    EXPECT_FALSE(choice.save);
    EXPECT_EQ(choice.defaultExtension, "zeb");
    ASSERT_EQ(choice.filters.size(), 2u);
    EXPECT_EQ(choice.filters[0].description, "ZEB40 Config Files (*.zeb)");
    EXPECT_EQ(choice.filters[0].pattern, "*.zeb");
    EXPECT_EQ(choice.filters[1].description, "All Files (*.*)");
    EXPECT_EQ(config.table[12], 3);
    EXPECT_EQ(document.title, "show");
    EXPECT_EQ(document.windowTitle, "show - VELOR ZEB40");
}

TEST_F(FileCommandsTest, SaveQuestionNamesTheFullPathAndHonoursTheAnswer) {
    SavedFile("a.zeb", 3);
    OpenModified("a.zeb");

    op.answers = {Answer::Cancel};
    EXPECT_FALSE(commands.Exit());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Save changes in " + dir.File("a.zeb") + "?");
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
    EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(document.path, dir.File("a.zeb"));

    op.answers = {Answer::Yes};
    EXPECT_TRUE(commands.PromptSaveChanges());
    EXPECT_EQ(document.path, dir.File("a.zeb"));
    EXPECT_FALSE(config.modified);
    ConfigState reread;
    ConfigDocument doc{dir.File("a.zeb"), "a"};
    ASSERT_TRUE(ReadConfigFile(doc, reread, op));
    EXPECT_EQ(reread.table[13], 1);
}

TEST_F(FileCommandsTest, NoThenCancelledOpenLeavesTheConfigurationUntitled) {
    SavedFile("a.zeb", 3);
    OpenModified("a.zeb");
    op.answers = {Answer::No};
    commands.Open();
    EXPECT_EQ(document.path, "");
    EXPECT_EQ(document.windowTitle, "a - VELOR ZEB40");
    EXPECT_EQ(config.table[13], 1) << "nothing read";

    // A later Save asks for a name.
    op.files = {Chosen("b.zeb")};
    commands.Save();
    ASSERT_EQ(op.fileChoices.size(), 3u);
    EXPECT_TRUE(op.fileChoices.back().save);
    EXPECT_TRUE(op.fileChoices.back().askBeforeOverwrite);
    EXPECT_EQ(fs::file_size(dir.File("b.zeb")), 125u);
    EXPECT_EQ(document.windowTitle, "b - VELOR ZEB40");
}

TEST_F(FileCommandsTest, NewReplacesTheTableWithoutAskingWhenUntitledOrUnchanged) {
    config.table[12] = 4;
    config.modified = true;
    commands.New();
    EXPECT_EQ(config.table, DefaultConfigItemTable());
    EXPECT_FALSE(config.modified);
    EXPECT_TRUE(op.messages.empty());

    SavedFile("a.zeb", 3);
    op.files = {Chosen("a.zeb")};
    commands.Open();
    commands.New();
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(document.path, "");
    EXPECT_EQ(document.title, "a") << "the title text stays";
    EXPECT_EQ(document.windowTitle, "VELOR ZEB40");
    EXPECT_EQ(config.table, DefaultConfigItemTable());
}

TEST_F(FileCommandsTest, SaveOnANamedFileWritesAtOnce) {
    SavedFile("a.zeb", 3);
    OpenModified("a.zeb");
    commands.Save();
    EXPECT_EQ(op.fileChoices.size(), 1u) << "only Open's dialog";
    EXPECT_TRUE(op.messages.empty());
    EXPECT_FALSE(config.modified);
}

TEST_F(FileCommandsTest, FailedWriteOnYesStopsTheCommand) {
    SavedFile("a.zeb", 3);
    OpenModified("a.zeb");
    fs::remove(dir.File("a.zeb"));
    fs::create_directory(dir.File("a.zeb"));
    op.answers = {Answer::Yes};
    commands.New();
    EXPECT_EQ(op.Texts().back(), strings::FailedToOpenFile);
    EXPECT_EQ(config.table[13], 1) << "New did not go on";
    EXPECT_TRUE(config.modified);
}

TEST_F(FileCommandsTest, CancelledSaveAsChangesNothing) {
    commands.SaveAs();
    EXPECT_EQ(document.path, "");
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

} // namespace
} // namespace zeb40
