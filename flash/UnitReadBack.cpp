#include "flash/UnitReadBack.h"

#include <algorithm>

namespace zeb40 {

void UnitReadBack::RequestBytes(std::size_t count) {
    unit_.Send(std::string(count, '9'));
}

std::string UnitReadBack::ReadReply() {
    return unit_.Read(2);
}

std::string ReadAheadReadBack::ReadReply() {
    // Topped up before each read rather than after it: a mismatch then
    // leaves no request behind that the comparison did not need.
    const std::uint64_t outstanding = sent_ - read_;
    const std::uint64_t more = std::min(depth_ - std::min(depth_, outstanding), total_ - sent_);
    if (more > 0) {
        unit_.Send(std::string(more, '9'));
        sent_ += more;
    }
    ++read_;
    return unit_.Read(2);
}

} // namespace zeb40
