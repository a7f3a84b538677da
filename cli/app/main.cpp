// zeb40ctl: every function of the ZEB40 program without a window.

#include "cli/RunCli.h"

#include <atomic>
#include <csignal>
#include <iostream>

namespace {

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted = true;
}

} // namespace

int main(int argc, char** argv) {
    // Ctrl+C ends a running monitor cleanly, with its port closed; the
    // second one ends the program at once.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::vector<std::string> arguments(argv + 1, argv + argc);
    return zeb40::cli::RunCli(arguments, std::cout, std::cerr,
                              zeb40::cli::ProcessEnvironment(&interrupted));
}
