// zeb40ctl: every function of the ZEB40 program without a window.

#include "cli/CliArguments.h"
#include "cli/HostSystem.h"
#include "cli/RunCli.h"
#include "disk/FileSizeLimit.h"

#include <atomic>
#include <iostream>

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted = true;
}

// The monitor runs until it is stopped: Ctrl+C (or SIGTERM) ends it with its
// port closed and, with --json, its result printed. A run on several units
// stops each unit cleanly the same way. A second signal, and any signal
// during the other commands, ends the program as usual.
void StopGracefully() {
    zeb40::cli::CatchFirstStopRequest(OnInterrupt);
}

} // namespace

int main(int argc, char** argv) {
    zeb40::TreatFileSizeLimitAsWriteError();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    auto parsed = zeb40::cli::ParseCliArguments(arguments);
    if (parsed.invocation && parsed.invocation->command == "monitor")
        StopGracefully();
    auto environment = zeb40::cli::ProcessEnvironment(&interrupted);
    environment.catchInterrupt = StopGracefully;
    return zeb40::cli::RunCli(arguments, std::cout, std::cerr, environment);
}
