// zeb40ctl flash of a 40 KB package, the real program in its own process,
// against the paced emulated unit (the code of zeb40-sim --paced) on a
// pseudo-terminal, once with the stop-and-wait read-back (--read-ahead 1) and
// once with 4 requests ahead, each compared with its lower bound: the fixed
// waits, the page pauses and every byte on the wire at 10 bit times per byte.
// The line is full duplex, so with requests ahead the read-back's bound is its
// reply characters alone. Usage: flash_bench [KB] (1 to 40, default 40; a
// smaller image makes a quick run).

#include "bench/BenchPackage.h"
#include "sim/Base64.h"
#include "sim/Emulator.h"
#include "sim/FlashMode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double ByteSeconds = 10.0 / 38400;

// The pauses the page pacing makes while sending data from 2000h.
int PagePauses(const std::string& data) {
    std::uint32_t address = 0x2000;
    int group = 0;
    int pauses = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (address <= 0x4000 && group != 0 && address % 128 == 0)
            ++pauses;
        ++group;
        if (group >= 2)
            ++address;
        if (group == 4)
            group = 0;
    }
    return pauses;
}

double Seconds(Clock::duration time) {
    return std::chrono::duration<double>(time).count();
}

struct Run {
    double seconds = 0;
    double bound = 0;
    double readBack = 0;
    double readBackBound = 0;
};

std::optional<Run> Flash(const std::string& package, const std::vector<std::uint8_t>& image,
                         int readAhead) {
    zeb40::sim::Emulator unit({.paced = true});
    if (!unit.Start()) {
        std::fprintf(stderr, "flash_bench: no pseudo-terminal\n");
        return std::nullopt;
    }
    const std::string command = std::string(ZEB40CTL) + " --quiet --port " + unit.DevicePath() +
                                " flash --read-ahead " + std::to_string(readAhead) + " " + package +
                                " >/dev/null";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const auto end = Clock::now();
    if (status != 0) {
        std::fprintf(stderr, "flash_bench: zeb40ctl flash --read-ahead %d failed (status %d)\n",
                     readAhead, status);
        return std::nullopt;
    }

    const std::size_t toUnit = unit.ReceivedBytes().size();
    std::uint64_t fromUnit = 0;
    Clock::time_point programmed;
    {
        auto lock = unit.Lock();
        const auto* flash = unit.Find<zeb40::sim::FlashMode>();
        fromUnit = flash->BytesSent();
        programmed = flash->ProgrammedAt();
    }
    const std::string data = zeb40::sim::Base64Encode(image);
    const int pauses = PagePauses(data);
    const double fixedWaits =
        0.100 + 0.200 + 0.100 + (data.find('=') == std::string::npos ? 0.2 : 0);
    // Ahead of the replies, the "9" requests travel while the replies do.
    const double requests = readAhead > 1 ? static_cast<double>(image.size()) : 0;
    const double wire = (static_cast<double>(toUnit + fromUnit) - requests) * ByteSeconds;
    Run run;
    run.seconds = Seconds(end - start);
    run.bound = fixedWaits + pauses * 0.080 + wire;
    // From the programming result on: 100 ms, the address pointer, the "9"
    // requests and two hex digits per byte, the address pointer and the restart.
    run.readBack = Seconds(end - programmed);
    const double perByte = readAhead > 1 ? 2.0 : 3.0;
    run.readBackBound = 0.100 + (image.size() * perByte + 2 * 10 + 2) * ByteSeconds;
    std::printf("--read-ahead %d: %.2f s, bound %.2f s (waits %.2f s + %d page pauses %.2f s + "
                "%zu+%llu bytes on the wire%s %.2f s), ratio %.3f\n",
                readAhead, run.seconds, run.bound, fixedWaits, pauses, pauses * 0.080, toUnit,
                static_cast<unsigned long long>(fromUnit),
                readAhead > 1 ? ", requests not counted," : "", wire, run.seconds / run.bound);
    std::printf("  read-back phase: %.2f s, bound %.2f s, ratio %.3f\n", run.readBack,
                run.readBackBound, run.readBack / run.readBackBound);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    const long kilobytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 40;
    if (kilobytes < 1 || kilobytes > 40) {
        std::fprintf(stderr, "usage: flash_bench [KB] (1 to 40)\n");
        return 2;
    }
    const std::vector<std::uint8_t> image = zeb40::bench::BenchFirmware(kilobytes);
    const auto path = std::filesystem::temp_directory_path() / "zeb40-flash-bench.zcf";
    zeb40::bench::WriteBenchPackage(path, image);

    std::printf("zeb40ctl flash of %zu bytes at 38400 baud\n", image.size());
    const std::optional<Run> stopAndWait = Flash(path.string(), image, 1);
    const std::optional<Run> ahead =
        stopAndWait ? Flash(path.string(), image, 4) : std::optional<Run>();
    std::filesystem::remove(path);
    if (!stopAndWait || !ahead)
        return 1;
    const Run& one = *stopAndWait;
    const Run& four = *ahead;
    std::printf("read-ahead 4 against 1: %.2f s against %.2f s, %.1f s saved; "
                "ratio %.3f to its full-duplex bound (goal <= 1.05)\n",
                four.seconds, one.seconds, one.seconds - four.seconds, four.seconds / four.bound);
    return 0;
}
