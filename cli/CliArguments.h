#pragma once
// The command line of zeb40ctl: global options, a command, its options and
// its arguments. Parsing never touches the unit, files or the environment.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zeb40::cli {

struct Invocation {
    std::optional<std::string> port; // --port
    bool json = false;
    bool yes = false;
    bool quiet = false;
    bool help = false;    // --help, or the command "help"
    bool version = false; // --version

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
