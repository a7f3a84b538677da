#pragma once
// A finished program run as a user runs it: one shell command line, with what
// it printed and how it ended.

#include <string>

namespace zeb40::test {

struct ShellRun {
    int code = -1; // the exit status; -1 when it did not end by exiting
    std::string out;
};

// Runs command through /bin/sh and collects its standard output.
ShellRun RunShell(const std::string& command);

} // namespace zeb40::test
