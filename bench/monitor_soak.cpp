// Soak: the timecode monitor polling the emulated unit without pacing, with
// resident memory and open file descriptors sampled along the way; both must
// stay flat. Usage: monitor_soak [exchanges] (default 100000).

#include "config/TimecodeCommands.h"
#include "sim/Emulator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>

namespace {

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:"))
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

int OpenFileDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count - 3; // ".", ".." and the directory itself
}

} // namespace

int main(int argc, char** argv) {
    const long exchanges = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    zeb40::sim::Emulator unit;
    zeb40::UnitLink link;
    if (!unit.Start() || !link.OpenByName(unit.DevicePath())) {
        std::fprintf(stderr, "monitor_soak: no emulated unit\n");
        return 1;
    }
    auto start = std::chrono::steady_clock::now();
    long failures = 0;
    long firstRss = 0;
    int firstFds = 0;
    long peakRss = 0;
    for (long i = 0; i < exchanges; ++i) {
        auto source = i % 2 ? zeb40::TimecodeSource::Generator : zeb40::TimecodeSource::Reader;
        std::string caption;
        if (!zeb40::ReadTimecode(link, source, caption))
            ++failures;
        if (i % 1000 == 0) {
            unit.ClearReceived(); // the emulator's own log must not count as our growth
            long rss = ResidentKilobytes();
            if (i == 1000) {
                firstRss = rss;
                firstFds = OpenFileDescriptors();
            }
            if (i >= 1000 && rss > peakRss)
                peakRss = rss;
        }
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld polls in %.1f s (%.0f/s), %ld failed\n", exchanges, seconds,
                exchanges / seconds, failures);
    std::printf("resident memory after 1000 polls %ld kB, peak after that %ld kB, at the end "
                "%ld kB\n",
                firstRss, peakRss, ResidentKilobytes());
    std::printf("open file descriptors after 1000 polls %d, at the end %d\n", firstFds,
                OpenFileDescriptors());
    return failures == 0 && OpenFileDescriptors() == firstFds ? 0 : 1;
}
