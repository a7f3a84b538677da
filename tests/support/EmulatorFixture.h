#pragma once
// A test with an emulated unit and the program's link opened on it: on a real
// pseudo-terminal, or on a fake line whose clock moves only when the program
// waits, so that timeouts cost no real time. The pseudo-terminal is for what
// crosses the line; inner logic runs on the fake.

#include "link/UnitLink.h"
#include "sim/Emulator.h"
#include "tests/support/EmulatedTransport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace zeb40::test {

enum class Line { PseudoTerminal, Fake };

class EmulatorFixture : public ::testing::Test {
  protected:
    explicit EmulatorFixture(Line kind = Line::PseudoTerminal);
    void SetUp() override;
    void TearDown() override;

    // Opens the link on the emulator's terminal (closing it first).
    bool OpenLink();
    // The commands the unit received, as their text ("P3E", "CA", "O").
    std::vector<std::string> ReceivedTexts();
    // Another unit on a device of its own, as when the operator plugs the
    // unit back in and it comes up on a new device.
    std::unique_ptr<sim::Emulator> StartFreshUnit();
    // Seconds on the link's clock since start.
    double SecondsSince(LinkClock::TimePoint start);

    const Line kind;
    sim::Emulator unit;
    FakeClock clock;                  // the fake line's clock
    EmulatedTransport* line{nullptr}; // the fake line, owned by link
    UnitLink link;
};

// The same on the fake line.
class FakeLineFixture : public EmulatorFixture {
  protected:
    FakeLineFixture() : EmulatorFixture(Line::Fake) {}
};

// A scratch folder that is removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

} // namespace zeb40::test
