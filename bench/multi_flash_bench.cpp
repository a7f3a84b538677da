// zeb40ctl flashing a 40 KB image into N paced emulated units at once (8 by
// default; a smaller image in KB as second argument makes a quick run),
// against one unit alone: the wall time of all of them should stay
// within 1.10 x that of one, and the CPU time per unit no more than one
// run's. The units are emulated in this process; their CPU time is not
// counted, only that of the zeb40ctl runs.
//
// For reference it also runs N separate single-port zeb40ctl at once: what
// they cost per unit beyond one run alone is what N links sharing this
// machine's processors with N emulated units cost, whatever runs them; the
// several-port run's own share is its cost beyond theirs.

#include "bench/BenchPackage.h"
#include "sim/Emulator.h"
#include "sim/FlashMode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Measured {
    int status = -1;
    double seconds = 0;
    double cpuSeconds = 0; // user and system time of zeb40ctl and its runs
};

double CpuSeconds(const rusage& usage) {
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The process started, or 0.
pid_t StartZeb40ctl(const std::vector<std::string>& arguments) {
    const std::string program = ZEB40_BINARY_DIR "/cli/zeb40ctl";
    std::vector<std::string> copies{"zeb40ctl"};
    copies.insert(copies.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& argument : copies)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return 0;
    return pid;
}

// Waits for every run; the status is the first failing one's, the time that
// until the last one ended.
Measured WaitFor(const std::vector<pid_t>& runs, Clock::time_point start) {
    Measured measured{.status = 0};
    for (const pid_t pid : runs) {
        int status = 0;
        rusage usage{};
        if (pid == 0 || wait4(pid, &status, 0, &usage) != pid) {
            measured.status = -1;
            continue;
        }
        if (measured.status == 0)
            measured.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        // wait4's usage holds the process and every child it waited for.
        measured.cpuSeconds += CpuSeconds(usage);
    }
    measured.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return measured;
}

Measured RunZeb40ctl(const std::vector<std::string>& arguments) {
    const auto start = Clock::now();
    return WaitFor({StartZeb40ctl(arguments)}, start);
}

std::unique_ptr<zeb40::sim::Emulator> StartUnit() {
    auto unit = std::make_unique<zeb40::sim::Emulator>(zeb40::sim::EmulatorOptions{.paced = true});
    if (!unit->Start())
        return nullptr;
    return unit;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 8;
    const int kilobytes = argc > 2 ? std::atoi(argv[2]) : 40;
    if (count < 2 || kilobytes < 1 || kilobytes > 40) {
        std::fprintf(stderr, "usage: multi_flash_bench [UNITS] [KB]   (2 or more units, default "
                             "8; 1 to 40 KB, default 40)\n");
        return 2;
    }
    const std::vector<std::uint8_t> image = zeb40::bench::BenchFirmware(kilobytes);
    const auto path = std::filesystem::temp_directory_path() / "zeb40-multi-flash-bench.zcf";
    zeb40::bench::WriteBenchPackage(path, image);

    auto single = StartUnit();
    if (!single) {
        std::fprintf(stderr, "multi_flash_bench: no pseudo-terminal\n");
        return 1;
    }
    const Measured one = RunZeb40ctl({"--port", single->DevicePath(), "--quiet", "flash", path});
    single->Stop();

    std::vector<std::unique_ptr<zeb40::sim::Emulator>> units;
    auto startUnits = [&] {
        units.clear();
        for (int i = 0; i < count; ++i) {
            units.push_back(StartUnit());
            if (!units.back())
                return false;
        }
        return true;
    };
    if (!startUnits()) {
        std::fprintf(stderr, "multi_flash_bench: no pseudo-terminal\n");
        return 1;
    }
    std::vector<std::string> arguments;
    for (auto& unit : units)
        arguments.insert(arguments.end(), {"--port", unit->DevicePath()});
    arguments.insert(arguments.end(), {"--quiet", "--yes", "flash", path.string()});
    const Measured all = RunZeb40ctl(arguments);

    if (!startUnits()) {
        std::fprintf(stderr, "multi_flash_bench: no pseudo-terminal\n");
        return 1;
    }
    std::vector<pid_t> runs;
    const auto separateStart = Clock::now();
    for (auto& unit : units)
        runs.push_back(StartZeb40ctl({"--port", unit->DevicePath(), "--quiet", "flash", path}));
    const Measured separate = WaitFor(runs, separateStart);
    units.clear();
    std::filesystem::remove(path);

    std::printf("one unit:  status %d, %.2f s, CPU %.2f s\n", one.status, one.seconds,
                one.cpuSeconds);
    std::printf("%d units: status %d, %.2f s, CPU %.2f s (%.2f s per unit)\n", count, all.status,
                all.seconds, all.cpuSeconds, all.cpuSeconds / count);
    std::printf("%d separate runs at once: status %d, %.2f s, CPU %.2f s (%.2f s per unit)\n",
                count, separate.status, separate.seconds, separate.cpuSeconds,
                separate.cpuSeconds / count);
    if (one.status != 0 || all.status != 0 || separate.status != 0) {
        std::fprintf(stderr, "multi_flash_bench: a flash update failed\n");
        return 1;
    }
    std::printf("time ratio %.3f (goal <= 1.10), CPU per unit ratio %.3f (goal <= 1.00)\n",
                all.seconds / one.seconds, all.cpuSeconds / count / one.cpuSeconds);
    std::printf("CPU per unit of separate runs at once against one alone %.3f; of the "
                "several-port run against them %.3f\n",
                separate.cpuSeconds / count / one.cpuSeconds, all.cpuSeconds / separate.cpuSeconds);
    return 0;
}
