#include "tests/support/EmulatedTransport.h"

#include <algorithm>

namespace zeb40::test {

EmulatedTransport::EmulatedTransport(sim::Emulator& unit, FakeClock& clock)
    : unit_(unit), clock_(clock) {
    unit_.Attach({
        .output =
            [this](std::string_view bytes) {
                const auto at = clock_.Now() + answerDelay_;
                for (char byte : bytes)
                    incoming_.push_back({byte, at});
            },
        .delay = [this](std::chrono::milliseconds time) { answerDelay_ += time; },
        .now = [this] { return clock_.Now() + answerDelay_; },
    });
}

bool EmulatedTransport::Open(const std::string& device) {
    Close();
    device_ = device;
    if (unit_.HungUp()) {
        lastError_ = "No such file or directory.";
        return false;
    }
    open_ = true;
    return true;
}

void EmulatedTransport::Close() {
    open_ = false;
    incoming_.clear();
}

bool EmulatedTransport::Write(const void* data, std::size_t count, int timeoutMs) {
    if (!open_ || Lost())
        return false;
    if (held_) {
        clock_.Advance(std::chrono::milliseconds(timeoutMs));
        lastError_ = "Connection timed out";
        return false;
    }
    answerDelay_ = std::chrono::milliseconds(0);
    unit_.Feed({static_cast<const char*>(data), count});
    return true;
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
        if (incoming_.empty() || incoming_.front().at > limit) {
            clock_.SleepUntil(limit);
            return got;
        }
        clock_.SleepUntil(incoming_.front().at);
        bytes[got++] = incoming_.front().byte;
        incoming_.pop_front();
    }
    return got;
}

bool EmulatedTransport::Drain(int timeoutMs) {
    if (!open_ || Lost())
        return false;
    if (held_)
        clock_.Advance(std::chrono::milliseconds(timeoutMs));
    return !held_;
}

bool EmulatedTransport::Purge() {
    incoming_.clear();
    return open_;
}

} // namespace zeb40::test
