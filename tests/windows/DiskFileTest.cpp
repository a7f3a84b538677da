#include "disk/DiskFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <windows.h>

namespace zeb40 {
namespace {

class DiskFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("zeb40-disk-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::permissions(File("locked.zeb"), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(folder, ignored);
    }
    std::string File(const char* name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(DiskFileTest, AReplacedFileReadsBackWholeAndNothingIsLeftBeside) {
    const std::string path = File("bench.zeb");
    const std::string first("old\x1a\x00\xff", 6);
    ASSERT_TRUE(ReplaceDiskFile(path, first).opened);
    const std::string second(300, '\x7f');
    const DiskWrite written = ReplaceDiskFile(path, second);
    EXPECT_TRUE(written.opened);
    EXPECT_FALSE(written.failure);

    const DiskRead whole = ReadDiskFile(path, 1000);
    ASSERT_TRUE(whole.opened);
    EXPECT_EQ(whole.bytes, second);
    EXPECT_FALSE(whole.longer);
    const DiskRead part = ReadDiskFile(path, 100);
    EXPECT_EQ(part.bytes, second.substr(0, 100));
    EXPECT_TRUE(part.longer);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(DiskFileTest, FoldersMissingAndReadOnlyFilesAreNotOpened) {
    EXPECT_FALSE(ReadDiskFile(folder.string(), 10).opened);
    EXPECT_FALSE(ReadDiskFile(File("missing.zeb"), 10).opened);
    EXPECT_FALSE(ReplaceDiskFile(folder.string(), "x").opened);
    EXPECT_FALSE(ReplaceDiskFile("", "x").opened);

    const std::string locked = File("locked.zeb");
    ASSERT_TRUE(ReplaceDiskFile(locked, "kept").opened);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(ReplaceDiskFile(locked, "lost").opened);
    EXPECT_EQ(ReadDiskFile(locked, 10).bytes, "kept");
}

} // namespace
} // namespace zeb40
