#pragma once
// The commands of zeb40ctl, one record each: name, arguments, help texts,
// options, whether it talks to a unit, and the function that runs it. The
// argument parser checks against it, --help prints from it, the dispatch and
// the several-units run decide from it, and the bash completion reads it.

#include "cli/ExitCode.h"

#include <span>
#include <string_view>

namespace zeb40::cli {

struct CliContext;
struct Invocation;

struct OptionSpec {
    std::string_view name;      // "--count"
    std::string_view shortName; // "-n", or empty
    std::string_view valueName; // "N"; empty for a flag
    std::string_view help;
};

// Whether a command talks to a unit, and so runs once per unit with several
// ports.
enum class UnitUse {
    None,             // files and this computer only
    Always,           // the unit
    UnlessFile,       // the unit, or with --file a configuration file instead
    UnlessSecondFile, // the unit, or a second configuration file given in its place
};

// What the bash completion offers for a command's first argument.
enum class FirstArgument {
    Free,
    ConfigFile,
    Package,
    SettingName,
    CommandName,
    ProfileVerb,    // "load" or "save"
    PositionPreset, // "upper-left" ...
};

struct CommandSpec {
    std::string_view name;
    std::string_view arguments; // "SETTING VALUE", as the synopsis shows them
    std::string_view summary;   // one line for the command list
    std::string_view details;   // the text of "zeb40ctl COMMAND --help"
    std::span<const OptionSpec> options;
    int minWords;
    int maxWords;
    UnitUse unit;
    ExitCode (*run)(CliContext&); // null only for "help", which the parser answers
    FirstArgument firstArgument = FirstArgument::Free;
};

std::span<const CommandSpec> Commands();
const CommandSpec* FindCommand(std::string_view name);
std::span<const OptionSpec> GlobalOptions();

// True when the invocation's command talks to a unit (with its options).
bool TalksToUnit(const Invocation& invocation);

// The option of the command (or, with command null, the global one) that the
// word names ("--count" or "-n"); nullptr when there is none.
const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view word);

} // namespace zeb40::cli
