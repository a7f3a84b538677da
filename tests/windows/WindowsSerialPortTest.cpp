// The Windows serial port against the emulated unit, through COM ports that
// scripts/test-windows maps (under Wine) to the emulator's pseudo-terminals:
// ZEB40_UNIT_PORT answers as a unit, ZEB40_HANGUP_PORT hangs up on 'H', and
// ZEB40_GARBAGE_PORT answers 'e' with the control bytes of GarbageReply.

#include "link/windows/WindowsSerialPort.h"

#include "link/windows/PortOpenFailure.h"
#include "link/windows/SystemMessage.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace zeb40 {
namespace {

using Clock = std::chrono::steady_clock;

constexpr ReadBounds ByteWait{1001, 100};
// XOFF, XON, ^C, ^Z, DEL and bytes above 127: a line in any mode but raw
// binary would swallow, stop at or act on some of them.
constexpr char GarbageReply[] = "\x13\x11\x03\x1a\x7f\xff\x80";

std::string PortPath(const char* variable) {
    const char* name = std::getenv(variable);
    return name && *name ? std::string("\\\\.\\") + name : std::string();
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class WindowsSerialPortTest : public ::testing::Test {
  protected:
    void OpenPort(const char* variable) {
        const std::string path = PortPath(variable);
        if (path.empty())
            GTEST_SKIP() << variable << " names no port; scripts/test-windows sets it";
        ASSERT_TRUE(port.Open(path)) << port.OpenFailureDetail();
    }
    bool Send(const std::string& text) { return port.Write(text.data(), text.size(), 200); }
    // One line as the protocol reads it: byte by byte up to LF.
    std::string ReadLine() {
        std::string line;
        char byte = 0;
        while (line.size() < 20 && port.Read(&byte, 1, ByteWait) == 1) {
            line += byte;
            if (byte == '\n')
                break;
        }
        return line;
    }

    WindowsSerialPort port;
};

TEST_F(WindowsSerialPortTest, TheUnitAnswersThePresenceCheckAndACommand) {
    OpenPort("ZEB40_UNIT_PORT");
    ASSERT_TRUE(Send("\b"));
    EXPECT_EQ(ReadLine().back(), '\n');
    EXPECT_EQ(ReadLine(), "CO\r\n");

    ASSERT_TRUE(Send("P3E\r"));
    EXPECT_EQ(ReadLine(), "P3E\r\n");
    EXPECT_EQ(ReadLine(), "OK\r\n");
    EXPECT_TRUE(port.Drain(200));
    EXPECT_FALSE(port.Lost());
}

TEST_F(WindowsSerialPortTest, ReadsEndAtAPauseOrRightAfterTheFirstBytesWhenNoPauseIsAllowed) {
    OpenPort("ZEB40_UNIT_PORT");
    char buffer[64];
    ASSERT_TRUE(Send("P3E\r"));
    auto start = Clock::now();
    std::size_t got = port.Read(buffer, sizeof buffer, {5000, 100});
    EXPECT_EQ(std::string(buffer, got), "P3E\r\nOK\r\n");
    EXPECT_LT(MillisecondsSince(start), 2500) << "the pause after the reply ends the read";

    ASSERT_TRUE(Send("P3E\r"));
    start = Clock::now();
    got = port.Read(buffer, sizeof buffer, {5000, 0});
    EXPECT_GT(got, 0u);
    EXPECT_LT(MillisecondsSince(start), 2500) << "the first bytes end the read";
    std::string rest(buffer, got);
    while (rest.size() < 9 && (got = port.Read(buffer, sizeof buffer, {1000, 0})) > 0)
        rest.append(buffer, got);
    EXPECT_EQ(rest, "P3E\r\nOK\r\n");
}

TEST_F(WindowsSerialPortTest, EveryByteCrossesTheLineUnchanged) {
    OpenPort("ZEB40_GARBAGE_PORT");
    ASSERT_TRUE(Send("e99\r"));
    EXPECT_EQ(ReadLine(), "e99\r\n");
    EXPECT_EQ(ReadLine(), std::string(GarbageReply) + "\r\n");
    ASSERT_TRUE(Send("P3E\r")) << "an XOFF from the unit must not hold the output";
    EXPECT_EQ(ReadLine(), "P3E\r\n");
    EXPECT_EQ(ReadLine(), "OK\r\n");
}

TEST_F(WindowsSerialPortTest, ASilentUnitCostsTheTotalTimeAndNoMore) {
    OpenPort("ZEB40_UNIT_PORT");
    char byte = 0;
    auto start = Clock::now();
    EXPECT_EQ(port.Read(&byte, 1, {300, 100}), 0u);
    const long long waited = MillisecondsSince(start);
    EXPECT_GE(waited, 290);
    EXPECT_LT(waited, 2500);
    EXPECT_FALSE(port.Lost()) << "silence is a timeout, not a lost port";

    start = Clock::now();
    EXPECT_EQ(port.Read(&byte, 1, {0, 0}), 0u);
    EXPECT_LT(MillisecondsSince(start), 250) << "no total time means take what is there";
}

TEST_F(WindowsSerialPortTest, PurgeDiscardsAnAnswerNotYetRead) {
    OpenPort("ZEB40_UNIT_PORT");
    ASSERT_TRUE(Send("P3E\r"));
    Sleep(300);
    EXPECT_TRUE(port.Purge());
    char byte = 0;
    EXPECT_EQ(port.Read(&byte, 1, {200, 100}), 0u);
    ASSERT_TRUE(Send("\b"));
    ReadLine();
    EXPECT_EQ(ReadLine(), "CO\r\n") << "the port still works after a purge";
}

TEST_F(WindowsSerialPortTest, AClosedTerminalIsALostPortAndFailsAtOnce) {
    OpenPort("ZEB40_HANGUP_PORT");
    ASSERT_TRUE(Send("H\r"));
    // The echo may or may not make it before the line closes, and a busy
    // emulator may close it only after a read or two have timed out.
    char byte = 0;
    const auto giveUp = Clock::now() + std::chrono::seconds(30);
    while (!port.Lost() && Clock::now() < giveUp)
        port.Read(&byte, 1, ByteWait);
    ASSERT_TRUE(port.Lost());

    // Once lost, nothing waits for the line's timeouts any more.
    const auto start = Clock::now();
    EXPECT_EQ(port.Read(&byte, 1, ByteWait), 0u);
    EXPECT_FALSE(Send("P3E\r"));
    EXPECT_FALSE(port.Drain(200));
    EXPECT_LT(MillisecondsSince(start), ByteWait.totalMs);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(WindowsSerialPortTest, AMissingPortFailsToOpenWithTheSystemsReason) {
    EXPECT_FALSE(port.Open("\\\\.\\COM250"));
    EXPECT_FALSE(port.IsOpen());
    const std::string detail = port.OpenFailureDetail();
    EXPECT_EQ(detail.rfind("COM250: " + SystemMessage(ERROR_FILE_NOT_FOUND), 0), 0u) << detail;
    EXPECT_NE(detail.find("no such port"), std::string::npos) << detail;
    EXPECT_FALSE(port.Write("x", 1, 100));
    char byte = 0;
    EXPECT_EQ(port.Read(&byte, 1, ByteWait), 0u);
}

TEST(PortOpenFailureTest, BusyAndDeniedPortsPointAtAnotherProgram) {
    for (unsigned long code : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        const std::string detail = PortOpenFailureDetail("\\\\.\\COM3", code);
        EXPECT_EQ(detail.rfind("COM3: " + SystemMessage(code), 0), 0u) << detail;
        EXPECT_NE(detail.find("Another program is using the port"), std::string::npos) << detail;
    }
    EXPECT_EQ(PortOpenFailureDetail("COM3", ERROR_GEN_FAILURE),
              "COM3: " + SystemMessage(ERROR_GEN_FAILURE) +
                  (SystemMessage(ERROR_GEN_FAILURE).ends_with('.') ? "" : "."));
    EXPECT_FALSE(SystemMessage(ERROR_ACCESS_DENIED).ends_with("\n"));
}

} // namespace
} // namespace zeb40
