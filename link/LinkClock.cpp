#include "link/LinkClock.h"

#include <thread>

namespace zeb40 {
namespace {

class SteadyLinkClock final : public LinkClock {
  public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    void SleepUntil(TimePoint deadline) override { std::this_thread::sleep_until(deadline); }
};

} // namespace

LinkClock& SteadyClock() {
    static SteadyLinkClock clock;
    return clock;
}

} // namespace zeb40
