#pragma once
// A clock that moves only when something waits on it or a test advances it:
// a timeout of seconds passes at once, and how long it was can be asserted
// exactly.

#include "link/LinkClock.h"

namespace zeb40::test {

class FakeClock final : public LinkClock {
  public:
    TimePoint Now() const override { return now_; }
    void SleepUntil(TimePoint deadline) override {
        if (deadline > now_)
            now_ = deadline;
    }
    void Advance(std::chrono::microseconds time) { now_ += time; }

  private:
    TimePoint now_ = TimePoint(std::chrono::hours(1));
};

} // namespace zeb40::test
