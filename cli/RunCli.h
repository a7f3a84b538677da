#pragma once
// The entry of zeb40ctl: parses the arguments, runs one command and returns
// its exit status. Everything it prints goes to the two given streams.

#include "cli/CliContext.h"

#include <atomic>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace zeb40::cli {

struct CliEnvironment {
    std::istream* input = nullptr; // where answers to questions come from
    bool inputIsTerminal = false;
    bool errorIsTerminal = false;
    PortSources portSources;
    const std::atomic<bool>* interrupted = nullptr; // set by Ctrl+C
    PortSource serialPorts = SystemSerialPorts;     // for "ports"
    UnitLink* link = nullptr; // the link to the unit; this computer's serial port when none
    std::string program;      // this zeb40ctl, run once per unit for several ports
    // Makes Ctrl+C set interrupted instead of ending the program; called when
    // a run on several units, or one unit's run within it, begins.
    std::function<void()> catchInterrupt;
};

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment = {});

// The process's own: standard input, terminals, $ZEB40_PORT and the port the
// zeb40 window stored (read only).
CliEnvironment ProcessEnvironment(const std::atomic<bool>* interrupted);

} // namespace zeb40::cli
