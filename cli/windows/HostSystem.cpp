#include "cli/HostSystem.h"

#include "link/windows/WideText.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <io.h>
#include <windows.h>

namespace zeb40::cli {

bool IsTerminal(StandardStream stream) {
    return _isatty(_fileno(stream == StandardStream::Input ? stdin : stderr)) != 0;
}

// The C runtime gives the signal back to the system before it calls handler.
void CatchFirstStopRequest(void (*handler)(int)) {
    std::signal(SIGINT, handler);
    std::signal(SIGTERM, handler);
}

void WriteToDescriptor(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(text.size(), 1u << 30));
        const int n = _write(descriptor, text.data(), chunk);
        if (n <= 0)
            return;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::string RunningProgramPath() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Utf8FromWide(path, length);
}

} // namespace zeb40::cli
