// A unit behind a serial device server against the same unit on a local
// line, side by side in one run: the 45-item read of Connect on the paced
// emulator, directly on its pseudo-terminal and behind Debian's ser2net on
// loopback (RFC 2217, with "chardelay: false" and with its default character
// delay). Goal: behind ser2net with chardelay: false within 1.10 of the
// local line.

#include "bench/SilentOperator.h"
#include "config/ConfigEditor.h"
#include "link/PortTransport.h"
#include "link/UnitLink.h"
#include "sim/Emulator.h"
#include "tests/support/Ser2netServer.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

using zeb40::bench::SilentOperator;

// Mean seconds of one 45-item read; negative when it failed.
double ReadTime(const std::string& port, int rounds) {
    zeb40::UnitLink link(zeb40::MakePortTransport(), zeb40::SteadyClock());
    if (!link.OpenByName(port) || !link.Probe())
        return -1;
    SilentOperator op;
    double total = 0;
    for (int round = 0; round < rounds; ++round) {
        zeb40::ConfigItemTable table{};
        auto start = Clock::now();
        if (!zeb40::ReadConfigFromUnit(link, table, "", op))
            return -1;
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    return total / rounds;
}

double BehindSer2net(const std::string& device, const std::string& options, int rounds) {
    zeb40::test::Ser2netServer server("telnet(rfc2217),tcp", device, options);
    return server.Running() ? ReadTime(server.PortName(), rounds) : -1;
}

} // namespace

int main() {
    zeb40::sim::Emulator unit({.paced = true});
    if (!unit.Start()) {
        std::fprintf(stderr, "network_bench: no pseudo-terminal\n");
        return 1;
    }
    const int rounds = 5;
    const double local = ReadTime(unit.DevicePath(), rounds);
    const double fast = BehindSer2net(unit.DevicePath(), "chardelay: false", rounds);
    const double standard = BehindSer2net(unit.DevicePath(), "", rounds);
    if (local <= 0 || fast <= 0 || standard <= 0) {
        std::fprintf(stderr, "network_bench: a read failed (is ser2net installed?)\n");
        return 1;
    }
    std::printf("45-item read, local paced line: %.1f ms\n", 1000 * local);
    std::printf("45-item read, ser2net rfc2217 chardelay: false: %.1f ms, ratio %.3f "
                "(goal <= 1.10)\n",
                1000 * fast, fast / local);
    std::printf("45-item read, ser2net rfc2217 default chardelay: %.1f ms, ratio %.3f\n",
                1000 * standard, standard / local);
    return 0;
}
