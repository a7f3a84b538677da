#include "cli/HostSystem.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

namespace zeb40::cli {

bool IsTerminal(StandardStream stream) {
    return isatty(stream == StandardStream::Input ? STDIN_FILENO : STDERR_FILENO) == 1;
}

void CatchFirstStopRequest(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void WriteToDescriptor(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(descriptor, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string RunningProgramPath() {
    char path[PATH_MAX] = {};
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length))
                      : std::string("/proc/self/exe");
}

} // namespace zeb40::cli
