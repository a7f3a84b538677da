#include "files/ConfigFile.h"

#include "resources/Strings.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace zeb40 {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

ConfigItemTable Counting() {
    ConfigItemTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>(0xFF - i);
    return table;
}

std::string TableBytes(const ConfigItemTable& table) {
    return {table.begin(), table.end()};
}

const std::string CurrentHeader = std::string("ZEB40 Configuration File") + '\x1A';
const std::string LegacyHeader = std::string("ZEB-40 Configuration File") + '\x1A';

class ConfigFileTest : public ::testing::Test {
  protected:
    bool Read(const std::string& path) {
        document.path = path;
        return ReadConfigFile(document, config, op);
    }
    bool Write(const std::string& path) {
        document.path = path;
        return WriteConfigFile(document, config, op);
    }
    // A read that must be refused with the message and leave everything else.
    void ExpectRefused(const std::string& path, const std::string& message) {
        config.table = Counting();
        config.modified = true;
        document.windowTitle = "old title";
        op.messages.clear();
        EXPECT_FALSE(Read(path));
        ASSERT_EQ(op.messages.size(), 1u);
        EXPECT_EQ(op.messages[0].text, message);
        EXPECT_EQ(op.messages[0].caption, strings::ApplicationName);
        EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(config.table, Counting());
        EXPECT_TRUE(config.modified);
        EXPECT_EQ(document.path, "");
        EXPECT_EQ(document.windowTitle, "old title");
    }
    std::vector<std::string> FolderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempDir dir;
    ConfigDocument document{"", "settings"};
    ConfigState config;
    test::ScriptedOperator op;
};

TEST_F(ConfigFileTest, WrittenFileIs125BytesAndReadsBackIdentically) {
    config.table = Counting();
    config.modified = true;
    ASSERT_TRUE(Write(dir.File("a.zeb")));
    EXPECT_EQ(Bytes(dir.File("a.zeb")), CurrentHeader + TableBytes(Counting()));
    EXPECT_FALSE(config.modified);
    EXPECT_EQ(document.windowTitle, "settings - VELOR ZEB40");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"a.zeb"}) << "no temporary left";

    config = ConfigState{};
    config.modified = true;
    document.windowTitle = "VELOR ZEB40";
    ASSERT_TRUE(Read(dir.File("a.zeb")));
    EXPECT_EQ(config.table, Counting());
    EXPECT_FALSE(config.modified);
    EXPECT_EQ(document.path, dir.File("a.zeb"));
    EXPECT_EQ(document.windowTitle, "settings - VELOR ZEB40");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(ConfigFileTest, OlderHeaderIsReadAndWrittenBackInTheCurrentFormat) {
    Put(dir.File("old.zeb"), LegacyHeader + TableBytes(Counting()) + "trailing bytes");
    ASSERT_TRUE(Read(dir.File("old.zeb")));
    EXPECT_EQ(config.table, Counting());
    ASSERT_TRUE(Write(dir.File("old.zeb")));
    EXPECT_EQ(Bytes(dir.File("old.zeb")), CurrentHeader + TableBytes(Counting()));
}

TEST_F(ConfigFileTest, BytesAfterTheTableAreIgnored) {
    Put(dir.File("long.zeb"), CurrentHeader + TableBytes(Counting()) + std::string(100000, 'x'));
    ASSERT_TRUE(Read(dir.File("long.zeb")));
    EXPECT_EQ(config.table, Counting());
}

TEST_F(ConfigFileTest, WrongHeadersAndShortFilesAreRefusedWithoutTouchingTheTable) {
    const std::string table = TableBytes(DefaultConfigItemTable());
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty", ""},
        {"one byte", "Z"},
        {"header without end byte", "ZEB40 Configuration File"},
        {"header only", CurrentHeader},
        {"letter case", "ZEB40 configuration File\x1A" + table},
        {"legacy text with current length", "ZEB-40 Configuration Fil\x1A" + table},
        {"end byte missing", "ZEB40 Configuration File " + table},
        {"garbage", std::string(300, '\x1A')},
        {"60 table bytes", CurrentHeader + table.substr(0, 60)},
        {"99 table bytes", CurrentHeader + table.substr(0, 99)},
        {"legacy, 99 table bytes", LegacyHeader + table.substr(0, 99)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        Put(dir.File("bad.zeb"), bytes);
        ExpectRefused(dir.File("bad.zeb"), strings::NotValidZebFile);
    }
}

TEST_F(ConfigFileTest, UnopenableFilesAreRefused) {
    ExpectRefused(dir.File("missing.zeb"), strings::FailedToOpenFile);
    ExpectRefused(dir.Path(), strings::FailedToOpenFile);
    ExpectRefused("/dev/zero", strings::FailedToOpenFile);
    ASSERT_EQ(::mkfifo(dir.File("pipe.zeb").c_str(), 0600), 0);
    ExpectRefused(dir.File("pipe.zeb"), strings::FailedToOpenFile);
}

TEST_F(ConfigFileTest, WriteThatCannotCreateTheFileForgetsThePath) {
    EXPECT_FALSE(Write(dir.File("no-such-folder/a.zeb")));
    EXPECT_EQ(op.Texts(), std::vector<std::string>{strings::FailedToOpenFile});
    EXPECT_EQ(document.path, "");
    fs::create_directory(dir.File("folder.zeb"));
    EXPECT_FALSE(Write(dir.File("folder.zeb")));
    EXPECT_TRUE(fs::is_directory(dir.File("folder.zeb")));
}

TEST_F(ConfigFileTest, FailedWriteKeepsTheOldFile) {
    const std::string path = dir.File("keep.zeb");
    Put(path, "the user's previous file");
    config.modified = true;

    // The file size limit makes the write itself fail after the file was made.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 40;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = Write(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(Bytes(path), "the user's previous file");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"keep.zeb"});
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_NE(op.messages[0].text.find(path), std::string::npos) << op.messages[0].text;
    EXPECT_NE(op.messages[0].text.find(std::strerror(EFBIG)), std::string::npos);
    EXPECT_TRUE(config.modified);
    EXPECT_EQ(document.path, "");
}

TEST_F(ConfigFileTest, ReadOnlyFolderKeepsTheOldFile) {
    const std::string path = dir.File("keep.zeb");
    Put(path, "old");
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(dir.File("probe")))
        GTEST_SKIP() << "permissions do not bind this user";
    EXPECT_FALSE(Write(path));
    EXPECT_EQ(Bytes(path), "old");
    EXPECT_EQ(op.Texts(), std::vector<std::string>{strings::FailedToOpenFile});
}

TEST_F(ConfigFileTest, ReplacingKeepsTheFilesModeAndWritesThroughLinks) {
    const std::string real = dir.File("real.zeb");
    Put(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, dir.File("link.zeb"));
    ASSERT_TRUE(Write(dir.File("link.zeb")));
    EXPECT_TRUE(fs::is_symlink(dir.File("link.zeb")));
    EXPECT_EQ(Bytes(real).size(), 125u);
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ConfigFileTest, ALoopOfLinksIsRefusedAndALinkToNowhereReplaced) {
    fs::create_symlink(dir.File("b.zeb"), dir.File("a.zeb"));
    fs::create_symlink(dir.File("a.zeb"), dir.File("b.zeb"));
    EXPECT_FALSE(Write(dir.File("a.zeb")));
    EXPECT_EQ(op.Texts(), std::vector<std::string>{strings::FailedToOpenFile});
    EXPECT_TRUE(fs::is_symlink(dir.File("a.zeb")));

    fs::create_symlink(dir.File("gone.zeb"), dir.File("nowhere.zeb"));
    EXPECT_TRUE(Write(dir.File("nowhere.zeb")));
    EXPECT_EQ(Bytes(dir.File("nowhere.zeb")).size(), 125u);
}

TEST(ConfigFileBytesTest, ReadersReturnTheTableOrTheNumberedMessageAndShowNothing) {
    const std::string table = TableBytes(Counting());
    auto bytes = [](const std::string& text) {
        return std::vector<std::uint8_t>(text.begin(), text.end());
    };
    for (const std::string& header : {CurrentHeader, LegacyHeader}) {
        const ConfigFileRead read = ParseConfigFile(bytes(header + table + "trailing"));
        ASSERT_TRUE(read.table);
        EXPECT_EQ(*read.table, Counting());
    }
    const ConfigFileRead shortFile = ParseConfigFile(bytes(CurrentHeader + table.substr(1)));
    EXPECT_FALSE(shortFile.table);
    EXPECT_EQ(shortFile.error.number, FileError::Message::NotValidZebFile);
    EXPECT_EQ(shortFile.error.text, "This is not a valid ZEB file!\n");

    test::TempDir dir;
    const ConfigFileRead missing = LoadConfigTable(dir.File("none.zeb"));
    EXPECT_FALSE(missing.table);
    EXPECT_EQ(missing.error.number, FileError::Message::FailedToOpen);
    EXPECT_EQ(missing.error.text, "Failed to open file!\n");

    EXPECT_FALSE(SaveConfigTable(dir.File("new.zeb"), Counting()));
    EXPECT_EQ(*LoadConfigTable(dir.File("new.zeb")).table, Counting());
    const auto refused = SaveConfigTable(dir.Path(), Counting());
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->number, FileError::Message::FailedToOpen);
}

} // namespace
} // namespace zeb40
