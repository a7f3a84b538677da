#pragma once
// A transport on which the emulated unit answers at once, in the caller's
// thread, on a fake clock: the unit's working time and every timeout pass as
// fake time. What crosses a real line is tested on a pseudo-terminal instead.

#include "link/ByteTransport.h"
#include "sim/Emulator.h"
#include "tests/support/FakeClock.h"

#include <deque>

namespace zeb40::test {

class EmulatedTransport final : public ByteTransport {
  public:
    EmulatedTransport(sim::Emulator& unit, FakeClock& clock);

    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    bool Write(const void* data, std::size_t count, int timeoutMs) override;
    std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) override;
    bool Drain(int timeoutMs) override;
    bool Purge() override;
    bool Lost() const override { return open_ && unit_.HungUp(); }
    std::string LastError() const override { return lastError_; }
    std::string OpenFailureDetail() const override { return device_ + ": " + lastError_; }

    // The unit stops taking characters: writes fail after their timeout.
    void HoldLine(bool held) { held_ = held; }

  private:
    struct Arriving {
        char byte;
        LinkClock::TimePoint at;
    };

    sim::Emulator& unit_;
    FakeClock& clock_;
    std::deque<Arriving> incoming_;
    std::chrono::milliseconds answerDelay_{0}; // the unit's working time so far
    bool open_ = false;
    bool held_ = false;
    std::string device_;
    std::string lastError_;
};

} // namespace zeb40::test
