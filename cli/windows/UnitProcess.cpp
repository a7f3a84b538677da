#include "cli/UnitProcess.h"

namespace zeb40::cli {

// Several units at once need a child per unit with a report pipe of its own;
// the Windows build runs one unit per zeb40ctl run instead.
UnitProcess::~UnitProcess() = default;

bool UnitProcess::Start(const std::string& /*program*/,
                        const std::vector<std::string>& /*arguments*/) {
    startError_ = "zeb40ctl on Windows runs one unit at a time: run it once per port";
    return false;
}

bool UnitProcess::PipesClosed() const {
    return true;
}

void UnitProcess::ReadArrivals(const std::vector<UnitProcess*>& /*processes*/, int /*timeoutMs*/) {}

int UnitProcess::Wait() {
    return -1;
}

void UnitProcess::Interrupt() const {}

} // namespace zeb40::cli
