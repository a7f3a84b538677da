// --ports-from with files that are no list of ports: each is refused at once
// as a file error, without blocking and without repeating what it holds.

#include "tests/cli/CliFixture.h"

#include <fstream>
#include <string>
#include <sys/stat.h>

namespace zeb40::test {
namespace {

CliRun RunWithList(const std::string& path) {
    return RunTool({"--ports-from", path, "--port", "ttyS0", "info"});
}

TEST(PortListFile, WhatIsNoRegularFileIsRefusedWithoutReading) {
    TempDir dir;
    // A pipe without a writer would block an ordinary open for ever.
    const std::string fifo = dir.File("ports.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero"), dir.Path()}) {
        CliRun run = RunWithList(path);
        EXPECT_EQ(run.code, 7) << path;
        EXPECT_EQ(run.err, "zeb40ctl: " + path + ": Failed to open file!\n");
    }
}

TEST(PortListFile, AHugeFileOrLineIsRefusedWithoutEchoingIt) {
    TempDir dir;
    const std::string big = dir.File("big.txt");
    {
        std::ofstream file(big);
        const std::string line = "ttyUSB0\n";
        for (std::size_t written = 0; written <= 1024 * 1024; written += line.size())
            file << line;
    }
    CliRun run = RunWithList(big);
    EXPECT_EQ(run.code, 7);
    EXPECT_EQ(run.err, "zeb40ctl: " + big + ": longer than 1 MB, no list of ports\n");

    const std::string wide = dir.File("wide.txt");
    std::ofstream(wide) << "ttyUSB0\n" << std::string(5000, 'x') << "\nttyUSB1\n";
    run = RunWithList(wide);
    EXPECT_EQ(run.code, 7);
    EXPECT_EQ(run.err,
              "zeb40ctl: " + wide + ":2: line longer than 4096 characters, no port name\n");

    // The longest line allowed still names a port.
    const std::string widest = dir.File("widest.txt");
    std::ofstream(widest) << std::string(4096, 'y') << "\n";
    run = RunWithList(widest);
    EXPECT_NE(run.code, 7);
    EXPECT_EQ(run.err.find("longer than"), std::string::npos);
}

} // namespace
} // namespace zeb40::test
