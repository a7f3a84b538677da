#pragma once
// The command line of zeb40ctl: global options, a command, its options and
// its arguments. Parsing never touches the unit, files or the environment.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zeb40::cli {

// One --port, or one --ports-from naming a file of ports.
struct PortArgument {
    std::string text;
    bool listFile = false;
};

struct Invocation {
    std::optional<std::string> port; // the last --port
    // Every --port and --ports-from in the order given; more than one port
    // runs the command on each unit.
    std::vector<PortArgument> portArguments;
    // Set only in the child runs of a command on several units: the pipe that
    // takes its progress and result.
    std::optional<int> reportFd;
    bool json = false;
    bool yes = false;
    bool quiet = false;
    bool help = false;    // --help, or the command "help"
    bool version = false; // --version
    // --completion: the command table for the bash completion (no option for
    // people, so not in the help).
    bool completion = false;

    std::string command;            // empty only with help or version
    std::vector<std::string> words; // the command's arguments
    // The command's options by long name ("--count"); "" for a flag.
    std::map<std::string, std::string> options;

    bool Has(const std::string& option) const { return options.count(option) > 0; }
};

struct ParsedArguments {
    std::optional<Invocation> invocation;
    std::string error; // one line when invocation is empty
};

// Global options may stand before or after the command; "--" ends the
// options. A word that starts with "-" and a digit ("-24 dB") is an argument.
ParsedArguments ParseCliArguments(const std::vector<std::string>& arguments);

} // namespace zeb40::cli
