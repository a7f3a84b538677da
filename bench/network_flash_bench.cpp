// zeb40ctl flash behind a serial device server against the same update on a
// local line, side by side in one run: the real program in its own process,
// the paced emulated unit (the code of zeb40-sim --paced) on a
// pseudo-terminal, directly and behind Debian's ser2net on loopback, RFC 2217
// and raw TCP, with ser2net's default character delay and with
// "chardelay: false". Each run is split into the programming phase and the
// read-back phase, which is where the character delay costs: every byte read
// back waits for its reply. Every run checks the unit's flash byte for byte.
// Usage: network_flash_bench [KB] [--few] (1 to 40, default 40; --few runs
// the local line and one line per kind of server, as a short check).

#include "bench/BenchPackage.h"
#include "sim/Emulator.h"
#include "sim/FlashMode.h"
#include "tests/support/Ser2netServer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Line {
    const char* caption;
    const char* accepter; // empty: the local line
    const char* options;
    int readAhead;
    bool few; // among the lines of a short check
};

struct Run {
    double seconds = 0;
    double readBack = 0;
};

double Seconds(Clock::duration time) {
    return std::chrono::duration<double>(time).count();
}

std::optional<Run> Flash(const Line& line, const std::string& package,
                         const std::vector<std::uint8_t>& image) {
    zeb40::sim::Emulator unit({.paced = true});
    if (!unit.Start()) {
        std::fprintf(stderr, "network_flash_bench: no pseudo-terminal\n");
        return std::nullopt;
    }
    std::optional<zeb40::test::Ser2netServer> server;
    std::string port = unit.DevicePath();
    if (*line.accepter != '\0') {
        server.emplace(line.accepter, unit.DevicePath(), line.options);
        if (!server->Running()) {
            std::fprintf(stderr, "network_flash_bench: ser2net did not start\n");
            return std::nullopt;
        }
        port = server->PortName();
    }
    const std::string command = std::string(ZEB40CTL) + " --quiet --port " + port +
                                " flash --read-ahead " + std::to_string(line.readAhead) + " " +
                                package + " >/dev/null";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const auto end = Clock::now();
    if (status != 0) {
        std::fprintf(stderr, "network_flash_bench: %s: zeb40ctl flash failed (status %d)\n",
                     line.caption, status);
        return std::nullopt;
    }
    auto lock = unit.Lock();
    const auto* flash = unit.Find<zeb40::sim::FlashMode>();
    if (flash->Flash(image.size()) != image) {
        std::fprintf(stderr, "network_flash_bench: %s: the flash differs from the image\n",
                     line.caption);
        return std::nullopt;
    }
    return Run{Seconds(end - start), Seconds(end - flash->ProgrammedAt())};
}

} // namespace

int main(int argc, char** argv) {
    const long kilobytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 40;
    const bool few = argc > 2 && std::string(argv[2]) == "--few";
    if (kilobytes < 1 || kilobytes > 40 || (argc > 2 && !few) || argc > 3) {
        std::fprintf(stderr, "usage: network_flash_bench [KB] [--few] (1 to 40)\n");
        return 2;
    }
    const std::vector<std::uint8_t> image = zeb40::bench::BenchFirmware(kilobytes);
    const auto path = std::filesystem::temp_directory_path() / "zeb40-network-flash-bench.zcf";
    zeb40::bench::WriteBenchPackage(path, image);

    const char* const rfc2217 = "telnet(rfc2217),tcp";
    const Line lines[] = {
        {"local paced line", "", "", 1, true},
        {"ser2net rfc2217, default chardelay", rfc2217, "", 1, true},
        {"ser2net rfc2217, chardelay: false", rfc2217, "chardelay: false", 1, false},
        {"ser2net tcp, default chardelay", "tcp", "", 1, false},
        {"ser2net tcp, chardelay: false", "tcp", "chardelay: false", 1, true},
        {"local paced line", "", "", 4, false},
        {"ser2net rfc2217, default chardelay", rfc2217, "", 4, false},
        {"ser2net rfc2217, chardelay: false", rfc2217, "chardelay: false", 4, false},
        {"ser2net tcp, chardelay: false", "tcp", "chardelay: false", 4, false},
    };
    std::printf("zeb40ctl flash of %zu bytes at 38400 baud\n", image.size());
    bool failed = false;
    std::optional<Run> local[5];
    for (const Line& line : lines) {
        if (few && !line.few)
            continue;
        const auto run = Flash(line, path.string(), image);
        if (!run) {
            failed = true;
            continue;
        }
        std::optional<Run>& reference = local[line.readAhead];
        if (*line.accepter == '\0')
            reference = run;
        std::printf("--read-ahead %d, %-36s %7.2f s (read-back %6.2f s)", line.readAhead,
                    std::string(line.caption).append(":").c_str(), run->seconds, run->readBack);
        if (reference && *line.accepter != '\0')
            std::printf(", ratio %.3f to the local line", run->seconds / reference->seconds);
        std::printf("\n");
    }
    std::filesystem::remove(path);
    return failed ? 1 : 0;
}
