#pragma once
// The commands of zeb40ctl with their options, number of arguments and help
// texts. The argument parser checks against it and --help prints from it.

#include <span>
#include <string_view>

namespace zeb40::cli {

struct OptionSpec {
    std::string_view name;      // "--count"
    std::string_view shortName; // "-n", or empty
    std::string_view valueName; // "N"; empty for a flag
    std::string_view help;
};

struct CommandSpec {
    std::string_view name;
    std::string_view arguments; // "SETTING VALUE", as the synopsis shows them
    std::string_view summary;   // one line for the command list
    std::string_view details;   // the text of "zeb40ctl COMMAND --help"
    std::span<const OptionSpec> options;
    int minWords;
    int maxWords;
};

std::span<const CommandSpec> Commands();
const CommandSpec* FindCommand(std::string_view name);
std::span<const OptionSpec> GlobalOptions();

// The option of the command (or, with command null, the global one) that the
// word names ("--count" or "-n"); nullptr when there is none.
const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view word);

} // namespace zeb40::cli
