#pragma once
// What every fault test needs: the emulated unit on a pty with the link, a
// scripted operator, a stopwatch for loose time bounds and spare units for
// the reconnect after the line went down.

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

class Stopwatch {
  public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The operator's reconnect comes long after the unit's last answer to a
// garbled exchange; tests wait this long so that no answer is still on its
// way when the port is opened (and purged) again.
inline void WaitForTheLineToSettle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

class FaultFixture : public EmulatorFixture {
  protected:
    // Another unit on a pty of its own, as when the operator plugs the unit
    // back in and it comes up on a new device.
    std::unique_ptr<sim::Emulator> StartFreshUnit();
    // Empties the unit's configuration memory and makes it as large as it
    // goes, so that a test can apply all settings several times.
    static void MakeRoom(sim::Emulator& someUnit);
    // Closes the link and opens it on that unit's device.
    bool OpenLinkOn(sim::Emulator& other);

    ScriptedOperator op;
};

} // namespace zeb40::test
