#pragma once
// Time as the link sees it. The program runs on the steady clock; tests pass a
// clock that moves only when something waits on it, so a timeout costs them
// no real time.

#include <chrono>

namespace zeb40 {

class LinkClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~LinkClock() = default;
    virtual TimePoint Now() const = 0;
    virtual void SleepUntil(TimePoint deadline) = 0;
    void SleepFor(std::chrono::microseconds time) { SleepUntil(Now() + time); }
};

// The steady clock of this computer.
LinkClock& SteadyClock();

} // namespace zeb40
