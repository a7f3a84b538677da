// The finished programs with a unit behind a serial device server: zeb40ctl
// and the unattended download of zeb40 reach the emulated unit through
// Debian's ser2net on loopback, by RFC 2217 and by raw TCP; a server that
// dies in the middle of an apply or a flash update is a lost line, and
// nothing that did not reach the unit is reported as written.

#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/Ser2netServer.h"
#include "tests/support/ShellRun.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <ostream>
#include <thread>

namespace zeb40::test {
namespace {

using namespace std::chrono_literals;

struct Server {
    const char* accepter;
    // The size of the image flashed through it; the full 40 KB once, by the
    // faster kind, so that the tests stay short.
    std::size_t flashBytes;
};

void PrintTo(const Server& server, std::ostream* out) {
    *out << server.accepter << ", " << server.flashBytes << " bytes flashed";
}

std::vector<std::uint8_t> Image(std::size_t size) {
    std::vector<std::uint8_t> image(size);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + (i >> 9));
    sim::StampFirmwareVersion(image, 0x0360);
    return image;
}

// Waits until the unit has seen what done() looks for.
bool AwaitUnit(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + 20s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

class NetworkPorts : public ::testing::TestWithParam<Server> {
  protected:
    void SetUp() override { ASSERT_TRUE(unit.Start()) << "no pseudo-terminal"; }
    void TearDown() override { unit.Stop(); }

    // ser2net in front of the unit; options as in its YAML file.
    std::unique_ptr<Ser2netServer> StartServer(const std::string& options = "") {
        auto server =
            std::make_unique<Ser2netServer>(GetParam().accepter, unit.DevicePath(), options);
        EXPECT_TRUE(server->Running()) << "ser2net did not start";
        return server;
    }
    std::string Package(const std::vector<std::uint8_t>& image) {
        std::ofstream(dir.File("fw.zcf"), std::ios::binary) << sim::FlashPackageText(image);
        return dir.File("fw.zcf");
    }
    std::size_t Count(char letter) {
        std::size_t count = 0;
        for (const auto& command : unit.Received())
            count += command.Is(letter) ? 1 : 0;
        return count;
    }

    sim::Emulator unit;
    TempDir dir;
};

TEST_P(NetworkPorts, InfoReadAndApply) {
    auto server = StartServer();
    ASSERT_TRUE(server->Running());
    const std::string port = server->PortName();

    CliRun info = RunTool({"--port", port, "info"});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("3.46"), std::string::npos) << info.out;

    const std::string file = dir.File("unit.zeb");
    CliRun read = RunTool({"--port", port, "read", "-o", file});
    ASSERT_EQ(read.code, 0) << read.err;
    std::uint8_t norm = 0;
    {
        auto lock = unit.Lock();
        norm = unit.State().items[88];
        unit.State().items[88] = norm == 0 ? 1 : 0;
    }
    EXPECT_EQ(RunTool({"--port", port, "verify", file}).code, 9);
    CliRun apply = RunTool({"--port", port, "--yes", "apply", file});
    ASSERT_EQ(apply.code, 0) << apply.err;
    EXPECT_NE(apply.out.find("applied"), std::string::npos) << apply.out;
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().items[88], norm);
}

TEST_P(NetworkPorts, FlashVerifiedByteForByte) {
    auto server = StartServer("chardelay: false");
    ASSERT_TRUE(server->Running());
    const auto image = Image(GetParam().flashBytes);
    CliRun run = RunTool({"--port", server->PortName(), "flash", Package(image)});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Flash update successfully completed\n");
    auto lock = unit.Lock();
    EXPECT_EQ(unit.Find<sim::FlashMode>()->Flash(image.size()), image);
}

// The window program itself, headless, as a script on a machine-room PC
// would start it.
TEST_P(NetworkPorts, UnattendedUserCodeDownload) {
    auto server = StartServer();
    ASSERT_TRUE(server->Running());
    const std::string command = "env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + dir.Path() +
                                " HOME=" + dir.Path() + " " ZEB40_BINARY_DIR "/shell/zeb40 -a " +
                                server->PortName() + " 4711 </dev/null 2>&1";
    const ShellRun run = RunShell(command);
    EXPECT_EQ(run.code, 0) << run.out;
    auto lock = unit.Lock();
    EXPECT_EQ(unit.State().userCode, 0x471100u);
}

// The unit takes its time over the eleventh value, and the server dies
// meanwhile: the first ten were acknowledged, the rest never reached the
// unit, and the apply reports the lost line and claims nothing.
TEST_P(NetworkPorts, ServerKilledDuringAnApply) {
    auto server = StartServer();
    ASSERT_TRUE(server->Running());
    const std::string file = dir.File("new.zeb");
    ASSERT_EQ(RunTool({"new", file}).code, 0);
    unit.AddFault(sim::Fault::Late('C', 1500, 1).After(10));

    CliRun apply;
    std::thread tool([&] {
        apply = RunTool({"--port", server->PortName(), "--yes", "apply", file});
    });
    const bool reached = AwaitUnit([&] { return Count('C') == 11; });
    server->Kill();
    tool.join();
    ASSERT_TRUE(reached);
    EXPECT_EQ(apply.code, 6);
    EXPECT_EQ(apply.err, "zeb40ctl: Communication error\n");
    EXPECT_EQ(apply.out, "");
    EXPECT_EQ(Count('C'), 11u);
    EXPECT_EQ(Count('S'), 1u) << "the batch was opened, never closed";
}

// The server dies while the data is being programmed: the update fails as
// on a lost line and never says it completed.
TEST_P(NetworkPorts, ServerKilledDuringAFlashUpdate) {
    auto server = StartServer("chardelay: false");
    ASSERT_TRUE(server->Running());
    const std::string package = Package(Image(8 * 1024));

    CliRun flash;
    std::thread tool([&] { flash = RunTool({"--port", server->PortName(), "flash", package}); });
    const bool reached = AwaitUnit([&] { return unit.ReceivedBytes().size() > 5000; });
    server->Kill();
    tool.join();
    ASSERT_TRUE(reached);
    EXPECT_EQ(flash.code, 6) << flash.err;
    EXPECT_EQ(flash.out.find("Flash update successfully completed"), std::string::npos);
    EXPECT_NE(flash.err.find("Error while updating Flash ROM.  Please try again."),
              std::string::npos)
        << flash.err;
}

INSTANTIATE_TEST_SUITE_P(BothKinds, NetworkPorts,
                         ::testing::Values(Server{"telnet(rfc2217),tcp", 8 * 1024},
                                           Server{"tcp", 40 * 1024}),
                         [](const auto& info) {
                             return std::string(info.param.accepter) == "tcp" ? "RawTcp"
                                                                              : "Rfc2217";
                         });

} // namespace
} // namespace zeb40::test
