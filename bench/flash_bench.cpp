// zeb40ctl flash of a 40 KB package, the real program in its own process,
// against the paced emulated unit (the code of zeb40-sim --paced) on a
// pseudo-terminal, compared with its lower bound: the fixed waits, the page
// pauses and every byte on the wire at 10 bit times per byte. Usage:
// flash_bench [KB] (1 to 40, default 40; a smaller image makes a quick run).

#include "sim/Base64.h"
#include "sim/Emulator.h"
#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

} // namespace

int main(int argc, char** argv) {
    const long kilobytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 40;
    if (kilobytes < 1 || kilobytes > 40) {
        std::fprintf(stderr, "usage: flash_bench [KB] (1 to 40)\n");
        return 2;
    }
    std::vector<std::uint8_t> image(static_cast<std::size_t>(kilobytes) * 1024);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + (i >> 9));
    zeb40::sim::StampFirmwareVersion(image, 0x0360);
    const auto path = std::filesystem::temp_directory_path() / "zeb40-flash-bench.zcf";
    std::ofstream(path, std::ios::binary) << zeb40::sim::FlashPackageText(image);

    zeb40::sim::Emulator unit({.paced = true});
    if (!unit.Start()) {
        std::fprintf(stderr, "flash_bench: no pseudo-terminal\n");
        return 1;
    }
    const std::string command = std::string(ZEB40CTL) + " --quiet --port " + unit.DevicePath() +
                                " flash " + path.string() + " >/dev/null";
    const auto start = Clock::now();
    const int status = std::system(command.c_str());
    const auto end = Clock::now();
    std::filesystem::remove(path);
    if (status != 0) {
        std::fprintf(stderr, "flash_bench: zeb40ctl flash failed (status %d)\n", status);
        return 1;
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
    const double wire = static_cast<double>(toUnit + fromUnit) * ByteSeconds;
    const double bound = fixedWaits + pauses * 0.080 + wire;
    const double seconds = Seconds(end - start);
    std::printf("zeb40ctl flash of %zu bytes at 38400 baud: %.2f s\n", image.size(), seconds);
    std::printf("lower bound %.2f s = waits %.2f s + %d page pauses %.2f s + %zu+%llu bytes on the "
                "wire %.2f s\n",
                bound, fixedWaits, pauses, pauses * 0.080, toUnit,
                static_cast<unsigned long long>(fromUnit), wire);
    // From the programming result on: 100 ms, the address pointer, one "9"
    // and two hex digits per byte, the address pointer and the restart.
    const double readBack = Seconds(end - programmed);
    const double readBackBound = 0.100 + (image.size() * 3.0 + 2 * 10 + 2) * ByteSeconds;
    std::printf("read-back phase: %.2f s, bound %.2f s, ratio %.3f (goal <= 1.05)\n", readBack,
                readBackBound, readBack / readBackBound);
    std::printf("ratio %.3f (goal <= 1.05)\n", seconds / bound);
    return 0;
}
