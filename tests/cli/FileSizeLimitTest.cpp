// The real zeb40ctl under a file-size limit (ulimit -f): a save fails with the
// usual write error, removes its scratch file and keeps the old file.

#include "tests/support/EmulatorFixture.h"
#include "tests/support/ShellRun.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace zeb40::test {
namespace {

using LimitedRun = ShellRun;

LimitedRun RunWithoutFileSpace(const TempDir& settings, const std::string& arguments) {
    return RunShell("ulimit -f 0; env -u ZEB40_PORT HOME=" + settings.Path() +
                    " XDG_CONFIG_HOME=" + settings.Path() + " " ZEB40_BINARY_DIR "/cli/zeb40ctl " +
                    arguments + " </dev/null 2>&1");
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileSizeLimit : public EmulatorFixture {
  protected:
    void ExpectUsualWriteError(const LimitedRun& run, const std::string& path) {
        EXPECT_EQ(run.code, 7) << run.out;
        // After the notice that --yes answered the question.
        const std::string error = "zeb40ctl: " + path + ": An error occurred while writing " +
                                  path + ". " + std::strerror(EFBIG) + "\n";
        EXPECT_TRUE(run.out.ends_with(error)) << run.out;
        EXPECT_EQ(Entries(files.Path()), std::vector<std::string>{"bench.zeb"});
        EXPECT_EQ(Contents(path), "the old file");
    }

    TempDir settings;
    TempDir files;
};

TEST_F(FileSizeLimit, NewAndReadFailLikeAnyWriteError) {
    const std::string path = files.File("bench.zeb");
    std::ofstream(path) << "the old file";
    ExpectUsualWriteError(RunWithoutFileSpace(settings, "--yes new " + path), path);
    ExpectUsualWriteError(
        RunWithoutFileSpace(settings, "--yes --port " + unit.DevicePath() + " read -o " + path),
        path);
}

} // namespace
} // namespace zeb40::test
