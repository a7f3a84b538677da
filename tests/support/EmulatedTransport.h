#pragma once
// A transport on which emulated units answer in the caller's thread on a
// fake clock: the unit's working time and every timeout pass as fake time.
// Each unit plugged in gets a device of its own, as a unit plugged in again
// comes up on a new device.
// What crosses a real line is tested on a pseudo-terminal instead.
//
// At line rate, bytes take ten bit times at 38400 baud each way, and a write
// returns at once however much is still queued for the line, as on a
// pseudo-terminal or a USB adapter with a deep queue.

#include "link/ByteTransport.h"
#include "sim/Emulator.h"
#include "tests/support/FakeClock.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zeb40::test {

class EmulatedTransport final : public ByteTransport {
  public:
    explicit EmulatedTransport(FakeClock& clock) : clock_(clock) {}
    // The unit answers on a device of its own (its DevicePath()); it must
    // outlive its use on the line.
    void Plug(sim::Emulator& unit);

    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return open_; }
    std::size_t WriteSome(const void* data, std::size_t count, int timeoutMs) override;
    std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) override;
    bool Drain(int timeoutMs) override;
    bool Purge() override;
    bool Lost() const override { return unit_ && unit_->HungUp(); }
    std::string LastError() const override { return lastError_; }
    std::string OpenFailureDetail() const override { return device_ + ": " + lastError_; }

    // The unit stops taking characters until released: writes fail after
    // their timeout.
    void HoldLine(bool held) {
        stall_.reset();
        if (held)
            stall_ = Stall{};
    }
    // The unit takes count more characters, then none for time: a write
    // meanwhile takes what fits and ends after its timeout.
    void StallAfter(std::size_t count, std::chrono::milliseconds time) {
        stall_ = Stall{count, time, std::nullopt};
    }
    void AtLineRate(bool paced) { paced_ = paced; }
    // Every write as it went out to the unit, once asked for.
    void RecordWrites() { recording_ = true; }
    const std::vector<std::string>& Writes() const { return writes_; }

  private:
    struct Stall {
        std::size_t after = 0;                         // characters taken before it
        std::optional<std::chrono::milliseconds> time; // none: until released
        std::optional<LinkClock::TimePoint> ends;      // once it has begun
    };
    struct Timed {
        char byte;
        LinkClock::TimePoint at;
    };
    // Puts bytes on their way to the unit from now on.
    void Queue(std::string_view bytes);
    // Hands the unit every byte that has reached it by then.
    void DeliverUntil(LinkClock::TimePoint time);
    void Answer(std::string_view bytes);

    FakeClock& clock_;
    std::vector<sim::Emulator*> plugged_;
    sim::Emulator* unit_ = nullptr;            // the one the line is open on
    std::deque<Timed> toUnit_;                 // on their way to the unit
    std::deque<Timed> fromUnit_;               // on their way to the program
    LinkClock::TimePoint unitTime_{};          // when the unit took the byte it handles
    std::chrono::milliseconds answerDelay_{0}; // its working time since then
    std::optional<Stall> stall_;
    bool open_ = false;
    bool paced_ = false;
    bool recording_ = false;
    std::vector<std::string> writes_;
    std::string device_;
    std::string lastError_;
};

} // namespace zeb40::test
