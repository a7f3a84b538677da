// The real zeb40ctl program: help, exit status, the port from the
// environment and from the windows' settings.

#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ShellRun.h"

#include <filesystem>
#include <fstream>

namespace zeb40::test {
namespace {

using ProgramRun = ShellRun;

// Runs the program through the shell with standard input from /dev/null.
ProgramRun RunProgram(const std::string& environment, const std::string& arguments) {
    return RunShell(environment + " " ZEB40_BINARY_DIR "/cli/zeb40ctl " + arguments +
                    " </dev/null 2>&1");
}

// A settings folder of its own, so that the user's real port never counts.
std::string CleanEnvironment(const TempDir& dir) {
    return "env -u ZEB40_PORT XDG_CONFIG_HOME=" + dir.Path() + " HOME=" + dir.Path();
}

class Program : public EmulatorFixture {
  protected:
    TempDir dir;
};

TEST_F(Program, HelpListsCommandsAndExitCodes) {
    ProgramRun run = RunProgram(CleanEnvironment(dir), "--help");
    EXPECT_EQ(run.code, 0);
    EXPECT_NE(run.out.find("usage: zeb40ctl"), std::string::npos);
    EXPECT_NE(run.out.find("  flash PACKAGE"), std::string::npos);
    EXPECT_NE(run.out.find("  8  the programmed firmware did not read back correctly"),
              std::string::npos);

    ProgramRun command = RunProgram(CleanEnvironment(dir), "monitor --help");
    EXPECT_EQ(command.code, 0);
    EXPECT_NE(command.out.find("-n, --count N"), std::string::npos);
    EXPECT_EQ(RunProgram(CleanEnvironment(dir), "monitor --bogus").code, 2);
}

TEST_F(Program, PortFromTheEnvironment) {
    ProgramRun run =
        RunProgram(CleanEnvironment(dir) + " ZEB40_PORT=" + unit.DevicePath(), "--json info");
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_NE(run.out.find("\"version\": \"3.46\""), std::string::npos);
}

TEST_F(Program, PortFromTheWindowsSettings) {
    std::filesystem::create_directories(dir.Path() + "/VELOR");
    std::ofstream(dir.Path() + "/VELOR/zeb40.conf") << "[Main]\nPort=" << unit.DevicePath() << "\n";
    ProgramRun run = RunProgram(CleanEnvironment(dir), "get general.norm");
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_EQ(run.out, "PAL\n");
    // Only read: the file stays as it was.
    std::ifstream settings(dir.Path() + "/VELOR/zeb40.conf");
    std::string first;
    std::getline(settings, first);
    EXPECT_EQ(first, "[Main]");
}

// --foreground: the signal goes to the program only, once, as Ctrl+C sends it;
// without it timeout signals the whole group a second time.
TEST_F(Program, CtrlCEndsTheMonitorWithItsResultLine) {
    ProgramRun run =
        RunProgram(CleanEnvironment(dir) + " timeout --foreground --preserve-status -s INT 3",
                   "--port " + unit.DevicePath() + " --json monitor");
    EXPECT_EQ(run.code, 0) << run.out;
    EXPECT_NE(run.out.find("{\"source\":\"generator\",\"caption\":"), std::string::npos);
    EXPECT_TRUE(run.out.ends_with(",\"ok\":true,\"exitCode\":0}\n")) << run.out;
}

TEST_F(Program, AQuestionWithoutTerminalFailsInsteadOfWaiting) {
    const std::string file = dir.File("exists.zeb");
    std::ofstream(file) << "x";
    ProgramRun run =
        RunProgram(CleanEnvironment(dir), "--port " + unit.DevicePath() + " read -o " + file);
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.out.find("add --yes"), std::string::npos);
}

// A line at its real rate, whose queue takes the whole package at once: the
// program still gives the unit its page pauses and waits for its answers from
// when the data has been carried.
TEST_F(Program, FlashesThroughALineAtItsRealRate) {
    sim::Emulator paced({.paced = true});
    ASSERT_TRUE(paced.Start());
    std::vector<std::uint8_t> image(600);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    sim::StampFirmwareVersion(image, 0x0360);
    const std::string package = dir.File("fw.zcf");
    std::ofstream(package, std::ios::binary) << sim::FlashPackageText(image);

    ProgramRun run = RunProgram(CleanEnvironment(dir),
                                "--quiet --port " + paced.DevicePath() + " flash " + package);
    EXPECT_EQ(run.code, 0) << run.out;
    auto lock = paced.Lock();
    EXPECT_EQ(paced.Find<sim::FlashMode>()->Flash(image.size()), image);
    EXPECT_EQ(paced.State().firmwareVersion, 0x0360);
}

} // namespace
} // namespace zeb40::test
