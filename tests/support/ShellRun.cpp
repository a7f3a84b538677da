#include "tests/support/ShellRun.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace zeb40::test {

ShellRun RunShell(const std::string& command) {
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer{};
    while (std::size_t count = fread(buffer.data(), 1, buffer.size(), pipe))
        run.out.append(buffer.data(), count);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace zeb40::test
