#include "sim/PacedLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fcntl.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace zeb40::sim {
namespace {

// One byte is ten bit times at 38400 baud.
constexpr auto ByteTime = std::chrono::nanoseconds(1'000'000'000LL * 10 / 38400);
// A hand-over or a wake-up taking longer than a byte is a busy machine, not
// the pseudo-terminal's usual time; no more than that is taken off the line's
// time, so an answer is never early by more than a byte or two.
constexpr auto MostTakenOff = ByteTime;

// The shortest of a few hand-overs from a write on one end to the read on the
// other: the least the pseudo-terminal takes, so no answer is made early for it.
PacedLine::Clock::duration HandOverTime(int from, int to) {
    constexpr int Samples = 9;
    std::array<PacedLine::Clock::duration, Samples> times{};
    for (auto& time : times) {
        // After a pause, as between the bytes of a line at this rate: an idle
        // processor takes longer to wake than a busy one.
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        const char probe = 0;
        const auto start = PacedLine::Clock::now();
        if (::write(from, &probe, 1) != 1)
            return {};
        pollfd ready{to, POLLIN, 0};
        char received = 0;
        if (::poll(&ready, 1, 100) != 1 || ::read(to, &received, 1) != 1)
            return {};
        time = PacedLine::Clock::now() - start;
    }
    return std::min<PacedLine::Clock::duration>(*std::min_element(times.begin(), times.end()),
                                                MostTakenOff);
}

} // namespace

PacedLine::~PacedLine() {
    if (latencyRequest_ >= 0)
        ::close(latencyRequest_);
}

void PacedLine::KeepProcessorsAwake() {
    if (latencyRequest_ >= 0)
        return;
    latencyRequest_ = ::open("/dev/cpu_dma_latency", O_WRONLY | O_CLOEXEC);
    const std::int32_t noLatency = 0;
    if (latencyRequest_ >= 0 && ::write(latencyRequest_, &noLatency, sizeof noLatency) != 4) {
        ::close(latencyRequest_);
        latencyRequest_ = -1;
    }
}

void PacedLine::MeasureHandOver(int master, int slave) {
    toUnit_ = HandOverTime(slave, master);
    toProgram_ = HandOverTime(master, slave);
}

bool PacedLine::ByteArrived(Clock::time_point readAt) {
    arrivalClock_ = std::max(arrivalClock_, readAt - toUnit_) + ByteTime;
    while (!waiting_.empty() && waiting_.front() <= arrivalClock_)
        waiting_.pop_front();
    if (waiting_.size() >= queueSize_)
        return false;
    handleClock_ = std::max({arrivalClock_, handleClock_, sendClock_});
    if (handleClock_ > arrivalClock_)
        waiting_.push_back(handleClock_);
    return true;
}

PacedLine::Clock::time_point PacedLine::ScheduleAnswer(std::size_t count) {
    sendClock_ = std::max(sendClock_, handleClock_) + ByteTime * count;
    // A deadline per answer on one clock: a wake-up that comes late (a busy
    // machine) delays that answer but never the ones after it.
    return sendClock_ - toProgram_ - wakeLateness_;
}

void PacedLine::Written(Clock::time_point due) {
    const auto late = std::clamp<Clock::duration>(Clock::now() - due, {}, MostTakenOff);
    wakeLateness_ += (late - wakeLateness_) / 8;
}

} // namespace zeb40::sim
