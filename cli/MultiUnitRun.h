#pragma once
// A command on several units at once: one child run of zeb40ctl per port,
// each with its own link, started side by side (SeveralUnitsDisplay shows
// them). A unit that fails never
// stops the others; Ctrl+C is passed on to every child, which stops before
// its next exchange and leaves its unit as its own failure handling does.

#include "cli/CliArguments.h"

#include <atomic>
#include <iosfwd>
#include <string>
#include <vector>

namespace zeb40::cli {

struct MultiUnitEnvironment {
    std::string program; // the zeb40ctl to run per unit
    bool errorIsTerminal = false;
    const std::atomic<bool>* interrupted = nullptr;
};

// The arguments of the child run on one port; file replaces the -o name.
std::vector<std::string> ChildArguments(const Invocation& invocation, const std::string& port,
                                        const std::string& file);

// Runs the command on every port and returns the most severe exit status.
int RunOnSeveralUnits(const Invocation& invocation, const std::vector<std::string>& ports,
                      std::ostream& out, std::ostream& err,
                      const MultiUnitEnvironment& environment);

} // namespace zeb40::cli
