// A configuration file is never left half-written: when File Save fails in
// the middle of writing, the old file stays whole, no scratch file is left
// behind and the operator is told which file it was.

#include "files/FileCommands.h"
#include "tests/faults/FaultFixture.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>

namespace zeb40 {
namespace {

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::size_t FilesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

// Lets no file of this process grow beyond limit bytes, as a full disk would,
// for the lifetime of the object.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        // The write must fail with EFBIG instead of the process being killed.
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(ConfigFileFaultsTest, SaveFailingMidWayLeavesTheOldFileWhole) {
    test::TempDir dir;
    test::ScriptedOperator op;
    ConfigState config;
    ConfigDocument document{dir.File("studio.zeb"), "studio"};
    FileCommands files(document, config, op);

    config.table[12] = 1;
    files.Save();
    ASSERT_TRUE(op.messages.empty());
    const std::string old = Contents(dir.File("studio.zeb"));
    ASSERT_EQ(old.size(), 125u);

    config.table[12] = 2;
    config.modified = true;
    {
        // Room for the header and half the table only.
        FileSizeLimit limit(60);
        files.Save();
    }
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_TRUE(op.messages[0].text.starts_with("An error occurred while writing " +
                                                dir.File("studio.zeb") + ".\n"))
        << op.messages[0].text;
    EXPECT_EQ(op.messages[0].caption, "ZEB40");
    EXPECT_EQ(Contents(dir.File("studio.zeb")), old);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
    EXPECT_TRUE(config.modified);

    // The path was forgotten: the next Save asks for a name, and a good disk
    // takes the file.
    op.messages.clear();
    op.files.push_back(ChosenFile{dir.File("studio.zeb"), "studio"});
    files.Save();
    EXPECT_TRUE(op.messages.empty());
    EXPECT_EQ(op.fileChoices.size(), 1u);
    const std::string saved = Contents(dir.File("studio.zeb"));
    ASSERT_EQ(saved.size(), 125u);
    EXPECT_EQ(saved[25 + 12], 2);
    EXPECT_FALSE(config.modified);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

} // namespace
} // namespace zeb40
