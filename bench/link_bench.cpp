// Link throughput against the emulated unit on a pseudo-terminal:
// (a) exchanges per second without pacing, (b) 45 single-item reads at
// 38400 baud compared with the line-rate lower bound.

#include "link/UnitLink.h"
#include "sim/Emulator.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

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
    static constexpr std::uint32_t Items[] = {
        12, 13, 14, 15, 16, 17, 18, 27, 26, 25, 24, 20, 28, 29, 30, 31, 35, 34, 33, 32, 41, 42, 44,
        45, 46, 60, 62, 63, 64, 65, 66, 72, 73, 74, 80, 81, 82, 88, 89, 90, 92, 93, 94, 95, 96};
    const int rounds = 5;
    double total = 0;
    double bound = 0;
    for (int round = 0; round < rounds; ++round) {
        std::size_t bytes = 0;
        auto start = Clock::now();
        for (std::uint32_t item : Items) {
            zeb40::ReplyCode code{};
            std::uint8_t value = 0;
            if (!link.QueryByte('c', item, code, value))
                return false;
            bytes += ExchangeBytes(item, value);
        }
        total += Seconds(start);
        bound += bytes * 10.0 / 38400.0;
    }
    std::printf("paced: 45 item reads take %.1f ms, line-rate bound %.1f ms, ratio %.3f "
                "(goal <= 1.10)\n",
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
