#include "shell/startup/CommandLine.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

CommandLine Parse(std::vector<std::string> words) {
    CommandLine result = ParseCommandLine(words);
    if (result.unattended)
        ApplyUnattendedDefaults(result);
    return result;
}

TEST(CommandLine, WithoutSwitchTheMainWindowOpens) {
    EXPECT_FALSE(Parse({}).unattended);
    EXPECT_FALSE(Parse({"-A", "4711"}).unattended);
    EXPECT_FALSE(Parse({"-x"}).unattended);
    EXPECT_FALSE(Parse({"COM3", "4711"}).unattended);
}

TEST(CommandLine, SwitchAloneUsesComTwoAndAsksForTheCode) {
    CommandLine line = Parse({"-a"});
    EXPECT_TRUE(line.unattended);
    EXPECT_EQ(line.portName, "COM2");
    EXPECT_EQ(line.userCode, "");
    EXPECT_EQ(Parse({"-a", "COM3"}).portName, "COM3");
    EXPECT_EQ(Parse({"-abc"}).portName, "COM2");
}

TEST(CommandLine, LeadingDigitMeansCodeOnDefaultPort) {
    CommandLine line = Parse({"-a", "4711"});
    EXPECT_EQ(line.portName, "COM2");
    EXPECT_EQ(line.userCode, "4711");
}

TEST(CommandLine, PortThenCodeWithEitherSwitchCharacter) {
    for (const char* sw : {"-a", "/a"}) {
        CommandLine line = Parse({sw, "COM3", "4711"});
        EXPECT_EQ(line.portName, "COM3") << sw;
        EXPECT_EQ(line.userCode, "4711") << sw;
    }
}

TEST(CommandLine, WordsBeforeTheSwitchAreIgnored) {
    CommandLine line = Parse({"COM3", "-a", "4711"});
    EXPECT_EQ(line.portName, "COM2");
    EXPECT_EQ(line.userCode, "4711");
}

TEST(CommandLine, FirstWordIsThePortWhileThePortIsEmpty) {
    CommandLine line = Parse({"-a", "4711", "COM3"});
    EXPECT_EQ(line.portName, "4711");
    EXPECT_EQ(line.userCode, "COM3");
    CommandLine later = Parse({"-a", "COM3", "1", "2"});
    EXPECT_EQ(later.userCode, "2");
}

TEST(CommandLine, DevicePathsAreWordsNotSwitches) {
    CommandLine line = Parse({"-a", "/dev/ttyUSB0", "12"});
    EXPECT_EQ(line.portName, "/dev/ttyUSB0");
    EXPECT_EQ(line.userCode, "12");
    EXPECT_EQ(Parse({"/a", "/dev/pts/3"}).portName, "/dev/pts/3");
    EXPECT_TRUE(Parse({"/x", "/a"}).unattended);
}

TEST(CommandLine, VersionIsAnsweredOnlyBeforeTheSwitch) {
    EXPECT_TRUE(Parse({"--version"}).versionAsked);
    EXPECT_TRUE(Parse({"--version", "-a", "4711"}).versionAsked);
    // After "-a" the words are the download's; the code still goes out.
    CommandLine line = Parse({"-a", "COM3", "4711", "--version"});
    EXPECT_FALSE(line.versionAsked);
    EXPECT_EQ(line.portName, "COM3");
    EXPECT_EQ(line.userCode, "4711");
    EXPECT_FALSE(Parse({"/a", "--version"}).versionAsked);
    EXPECT_FALSE(Parse({"-version"}).versionAsked);
}

} // namespace
} // namespace zeb40
