// A unit behind a serial device server against the same unit on a local
// line, side by side in one run: the 45-item read of Connect on the paced
// emulator, directly on its pseudo-terminal and behind Debian's ser2net on
// loopback (RFC 2217, with "chardelay: false" and with its default character
// delay). Goal: behind ser2net with chardelay: false within 1.10 of the
// local line.
//
// Then the exchange with a unit whose reply characters come one at a time, as
// a real serial line brings them (the emulator writes each answer whole):
// one byte out, two characters back 260 us apart, behind ser2net with
// chardelay: false, which forwards each character in a segment of its own.

#include "bench/SilentOperator.h"
#include "config/ConfigEditor.h"
#include "link/PortTransport.h"
#include "link/UnitLink.h"
#include "sim/Emulator.h"
#include "tests/support/Ser2netServer.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

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

// A pseudo-terminal whose far end answers every byte with "AB", the two
// characters written a character time apart.
class CharacterPacedUnit {
  public:
    CharacterPacedUnit() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
            return;
        path_ = ptsname(master_);
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        thread_ = std::thread([this] { Answer(); });
    }
    ~CharacterPacedUnit() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (master_ >= 0)
            ::close(master_);
    }
    CharacterPacedUnit(const CharacterPacedUnit&) = delete;
    CharacterPacedUnit& operator=(const CharacterPacedUnit&) = delete;
    const std::string& Path() const { return path_; }

  private:
    void Answer() {
        while (!stop_) {
            pollfd p{master_, POLLIN, 0};
            char byte = 0;
            if (::poll(&p, 1, 50) <= 0 || ::read(master_, &byte, 1) != 1)
                continue;
            std::this_thread::sleep_for(std::chrono::microseconds(260));
            (void)::write(master_, "A", 1);
            std::this_thread::sleep_for(std::chrono::microseconds(260));
            (void)::write(master_, "B", 1);
        }
    }
    int master_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Mean milliseconds of one byte out and two back; negative when one failed.
double PieceExchangeTime(const std::string& accepter, const std::string& device) {
    zeb40::test::Ser2netServer server(accepter, device, "chardelay: false");
    auto transport = zeb40::MakePortTransport();
    if (!server.Running() || !transport->Open(server.PortName()))
        return -1;
    const int exchanges = 200;
    const auto start = Clock::now();
    for (int i = 0; i < exchanges; ++i) {
        char reply[2];
        if (!transport->Write("9", 1, 1000) || transport->Read(reply, 2, {1000, 100}) != 2)
            return -1;
    }
    return 1000 * std::chrono::duration<double>(Clock::now() - start).count() / exchanges;
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

    CharacterPacedUnit pieces;
    const double rfc2217Pieces = PieceExchangeTime("telnet(rfc2217),tcp", pieces.Path());
    const double tcpPieces = PieceExchangeTime("tcp", pieces.Path());
    if (rfc2217Pieces <= 0 || tcpPieces <= 0) {
        std::fprintf(stderr, "network_bench: the exchange with a character-paced unit failed\n");
        return 1;
    }
    std::printf("1 byte out, 2 characters back one at a time, ser2net chardelay: false: "
                "rfc2217 %.2f ms, tcp %.2f ms (line time 0.78 ms; 40 ms and more when pieces "
                "wait for delayed acknowledgements)\n",
                rfc2217Pieces, tcpPieces);
    return 0;
}
