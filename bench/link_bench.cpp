// Link throughput against the emulated unit on a pseudo-terminal:
// (a) exchanges per second without pacing, (b) the 45-item read of Connect
// (the window's own code) at 38400 baud compared with the line-rate lower
// bound.

#include "bench/SilentOperator.h"
#include "config/ConfigEditor.h"
#include "config/ItemDescriptions.h"
#include "link/UnitLink.h"
#include "sim/Emulator.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

using zeb40::bench::SilentOperator;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Bytes of one 'c' exchange on the wire: command + CR, echo + CR LF, reply + CR LF.
std::size_t ExchangeBytes(std::uint32_t item, std::uint32_t value) {
    std::size_t command = 1 + zeb40::HexText(item).size() + 1;
    std::size_t echo = 1 + zeb40::HexText(item).size() + 2;
    std::size_t reply = zeb40::HexText(value).size() + 2;
    return command + echo + reply;
}

bool Unpaced() {
    zeb40::sim::Emulator unit;
    zeb40::UnitLink link;
    if (!unit.Start() || !link.OpenByName(unit.DevicePath()))
        return false;
    const int exchanges = 5000;
    auto start = Clock::now();
    for (int i = 0; i < exchanges; ++i) {
        zeb40::ReplyCode code{};
        std::uint8_t value = 0;
        if (!link.QueryByte('c', 12, code, value))
            return false;
    }
    double seconds = Seconds(start);
    std::printf("unpaced: %d exchanges in %.3f s = %.0f exchanges/s\n", exchanges, seconds,
                exchanges / seconds);
    return true;
}

bool Paced() {
    zeb40::sim::Emulator unit({.paced = true});
    zeb40::UnitLink link;
    if (!unit.Start() || !link.OpenByName(unit.DevicePath()))
        return false;
    SilentOperator op;
    const int rounds = 5;
    double total = 0;
    double bound = 0;
    for (int round = 0; round < rounds; ++round) {
        zeb40::ConfigItemTable table{};
        auto start = Clock::now();
        if (!zeb40::ReadConfigFromUnit(link, table, "", op))
            return false;
        total += Seconds(start);
        std::size_t bytes = 0;
        for (int item : zeb40::ReadOrder())
            bytes += ExchangeBytes(static_cast<std::uint32_t>(item), table[item]);
        bound += bytes * 10.0 / 38400.0;
    }
    std::printf("paced: the 45-item read takes %.1f ms, line-rate bound %.1f ms, ratio %.3f "
                "(goal <= 1.05)\n",
                1000 * total / rounds, 1000 * bound / rounds, total / bound);
    return true;
}

} // namespace

int main() {
    if (!Unpaced() || !Paced()) {
        std::fprintf(stderr, "link_bench: the exchange with the emulator failed\n");
        return 1;
    }
    return 0;
}
