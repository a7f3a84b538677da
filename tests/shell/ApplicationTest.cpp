// The program's entry as a terminal starts it: which words it answers itself
// and which it leaves to the unattended download.

#include "shell/Application.h"

#include "tests/support/EmulatorFixture.h"

namespace zeb40 {
namespace {

class ApplicationTest : public test::EmulatorFixture {
  protected:
    int Run(std::vector<std::string> words) {
        words.insert(words.begin(), "zeb40");
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        testing::internal::CaptureStdout();
        const int status = RunApplication(static_cast<int>(words.size()), argv.data(), "test");
        printed = testing::internal::GetCapturedStdout();
        return status;
    }
    std::string printed;
};

TEST_F(ApplicationTest, VersionAfterTheSwitchDoesNotStopTheDownload) {
    EXPECT_EQ(Run({"-a", unit.DevicePath(), "4711", "--version"}), 0);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"\b", "A0", "D471100"}));

    EXPECT_EQ(Run({"--version", "-a", unit.DevicePath(), "4711"}), 0);
    EXPECT_EQ(printed, "ZEB40 Version 3.50 (revision test)\n");
    EXPECT_EQ(ReceivedTexts().size(), 3u) << "nothing more was sent";
}

} // namespace
} // namespace zeb40
