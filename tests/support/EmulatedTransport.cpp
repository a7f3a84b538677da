#include "tests/support/EmulatedTransport.h"

#include <algorithm>

namespace zeb40::test {
namespace {

constexpr std::chrono::nanoseconds ByteTime{1'000'000'000LL * 10 / 38400};

} // namespace

void EmulatedTransport::Plug(sim::Emulator& unit) {
    plugged_.push_back(&unit);
    unit.Attach({
        .devicePath = "/dev/emulated" + std::to_string(plugged_.size()),
        .output = [this](std::string_view bytes) { Answer(bytes); },
        .delay = [this](std::chrono::milliseconds time) { answerDelay_ += time; },
        .now = [this] { return unitTime_ + answerDelay_; },
    });
}

void EmulatedTransport::Answer(std::string_view bytes) {
    auto at = unitTime_ + answerDelay_;
    for (char byte : bytes) {
        if (paced_) {
            if (!fromUnit_.empty())
                at = std::max(at, fromUnit_.back().at);
            at += ByteTime;
        }
        fromUnit_.push_back({byte, at});
    }
}

void EmulatedTransport::DeliverUntil(LinkClock::TimePoint time) {
    while (!toUnit_.empty() && toUnit_.front().at <= time && !unit_->HungUp()) {
        const Timed next = toUnit_.front();
        toUnit_.pop_front();
        unitTime_ = next.at;
        answerDelay_ = std::chrono::milliseconds(0);
        unit_->Feed({&next.byte, 1});
    }
}

bool EmulatedTransport::Open(const std::string& device) {
    Close();
    device_ = device;
    const auto found = std::find_if(plugged_.begin(), plugged_.end(), [&](sim::Emulator* unit) {
        return unit->DevicePath() == device;
    });
    if (found == plugged_.end() || (*found)->HungUp()) {
        lastError_ = "No such file or directory.";
        return false;
    }
    unit_ = *found;
    open_ = true;
    return true;
}

void EmulatedTransport::Close() {
    open_ = false;
    toUnit_.clear();
    fromUnit_.clear();
}

std::size_t EmulatedTransport::WriteSome(const void* data, std::size_t count, int timeoutMs) {
    if (!open_ || Lost())
        return 0;
    const std::string_view bytes(static_cast<const char*>(data), count);
    if (!stall_) {
        Queue(bytes);
        return count;
    }
    const std::size_t before = std::min(count, stall_->after);
    if (before > 0)
        Queue(bytes.substr(0, before));
    stall_->after -= before;
    if (before == count)
        return count;
    if (stall_->time && !stall_->ends)
        stall_->ends = clock_.Now() + *stall_->time;
    const auto timeout = std::chrono::milliseconds(timeoutMs);
    if (!stall_->ends || clock_.Now() + timeout < *stall_->ends) {
        clock_.Advance(timeout);
        lastError_ = "Connection timed out";
        return before;
    }
    clock_.SleepUntil(*stall_->ends);
    stall_.reset();
    Queue(bytes.substr(before));
    return count;
}

void EmulatedTransport::Queue(std::string_view bytes) {
    if (recording_)
        writes_.emplace_back(bytes);
    const auto now = clock_.Now();
    DeliverUntil(now);
    auto at = now;
    for (const char byte : bytes) {
        if (paced_)
            at = std::max(at, toUnit_.empty() ? now : toUnit_.back().at) + ByteTime;
        toUnit_.push_back({byte, at});
    }
    DeliverUntil(now);
}

std::size_t EmulatedTransport::Read(void* buffer, std::size_t count, ReadBounds bounds) {
    if (!open_ || Lost())
        return 0;
    auto* bytes = static_cast<char*>(buffer);
    const auto total = clock_.Now() + std::chrono::milliseconds(bounds.totalMs);
    std::size_t got = 0;
    while (got < count) {
        auto limit = total;
        if (got > 0)
            limit = std::min(limit, clock_.Now() + std::chrono::milliseconds(bounds.intervalMs));
        // The unit answers what reaches it before the answer is due.
        while (!toUnit_.empty() && !unit_->HungUp() && toUnit_.front().at <= limit &&
               (fromUnit_.empty() || toUnit_.front().at < fromUnit_.front().at))
            DeliverUntil(toUnit_.front().at);
        if (Lost())
            return got;
        if (fromUnit_.empty() || fromUnit_.front().at > limit) {
            clock_.SleepUntil(limit);
            return got;
        }
        clock_.SleepUntil(fromUnit_.front().at);
        bytes[got++] = fromUnit_.front().byte;
        fromUnit_.pop_front();
    }
    return got;
}

bool EmulatedTransport::Drain(int timeoutMs) {
    if (!open_ || Lost())
        return false;
    // A line held until released keeps its queue; a stall ends within the
    // write that meets it.
    const bool held = stall_ && !stall_->time;
    if (held)
        clock_.Advance(std::chrono::milliseconds(timeoutMs));
    return !held;
}

bool EmulatedTransport::Purge() {
    DeliverUntil(clock_.Now());
    toUnit_.clear();
    fromUnit_.clear();
    return open_;
}

} // namespace zeb40::test
