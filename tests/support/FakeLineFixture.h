#pragma once
// A test with the emulated unit on a fake line and clock: the unit answers at
// once and timeouts cost no real time. Same members as EmulatorFixture, so a
// test of inner logic moves between the two by its base class.

#include "link/UnitLink.h"
#include "sim/Emulator.h"
#include "tests/support/EmulatedTransport.h"
#include "tests/support/FakeClock.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zeb40::test {

class FakeLineFixture : public ::testing::Test {
  protected:
    FakeLineFixture();

    bool OpenLink();
    std::vector<std::string> ReceivedTexts();
    // Fake seconds since start.
    double SecondsSince(LinkClock::TimePoint start) const;

    sim::Emulator unit;
    FakeClock clock;
    EmulatedTransport* line; // owned by link
    UnitLink link;
};

} // namespace zeb40::test
