#pragma once
// What every fault test needs: the emulated unit with the link (on a pty, or
// on the fake line where the test waits out timeouts), a scripted operator, a
// stopwatch for time bounds and spare units for the reconnect after the line
// went down.

#include "sim/Emulator.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace zeb40::test {

// The link's timeouts, in seconds: one awaited byte of a normal exchange, of
// the flash update, of reorganising the memory and of saving a profile.
// Bounds in the tests are twice these, loose enough for a loaded machine and
// far below a hang.
inline constexpr double ByteTimeout = 1.0;
inline constexpr double FlashByteTimeout = 2.0;
inline constexpr double ReorganizeByteTimeout = 5.0;
inline constexpr double SaveProfileByteTimeout = 10.0;
// What a failure that needs no timeout at all (a vanished line, a garbled
// echo) may cost.
inline constexpr double Immediate = 0.5;

// On the link's clock: real time on a pty, fake time on the fake line.
class Stopwatch {
  public:
    explicit Stopwatch(const LinkClock& clock) : clock_(clock), start_(clock.Now()) {}
    double Seconds() const { return std::chrono::duration<double>(clock_.Now() - start_).count(); }

  private:
    const LinkClock& clock_;
    LinkClock::TimePoint start_;
};

// The operator's reconnect comes long after the unit's last answer to a
// garbled exchange; tests wait this long so that no answer is still on its
// way when the port is opened (and purged) again.
inline void WaitForTheLineToSettle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

class FaultFixture : public EmulatorFixture {
  protected:
    explicit FaultFixture(Line kind = Line::PseudoTerminal) : EmulatorFixture(kind) {}
    Stopwatch StartStopwatch() { return Stopwatch(link.Clock()); }
    // Empties the unit's configuration memory and makes it as large as it
    // goes, so that a test can apply all settings several times.
    static void MakeRoom(sim::Emulator& someUnit);
    // Closes the link and opens it on that unit's device.
    bool OpenLinkOn(sim::Emulator& other);

    ScriptedOperator op;
};

} // namespace zeb40::test
