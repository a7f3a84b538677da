#include "cli/CommandTable.h"

#include "cli/CliArguments.h"
#include "cli/Commands.h"

#include <array>

namespace zeb40::cli {
namespace {

constexpr std::array<OptionSpec, 0> NoOptions{};

constexpr std::array<OptionSpec, 1> ReadOptions{{
    {"--output", "-o", "FILE", "write the settings into this configuration file (.zeb)"},
}};

constexpr std::array<OptionSpec, 1> ApplyOptions{{
    {"--changed", "", "", "read the unit first and write only the settings that differ"},
}};

constexpr std::array<OptionSpec, 1> FileOptions{{
    {"--file", "-f", "FILE", "a configuration file (.zeb) instead of the unit"},
}};

constexpr std::array<OptionSpec, 3> MonitorOptions{{
    {"--reader", "", "", "show the reader's timecode"},
    {"--generator", "", "", "show the generator's timecode (the default)"},
    {"--count", "-n", "N", "stop after N lines (default: until interrupted)"},
}};

constexpr std::array<OptionSpec, 1> FlashOptions{{
    {"--read-ahead", "", "N",
     "keep N \"9\" requests (1 to 4, default 1) outstanding during the read-back; 4 is the "
     "most the unit is known to take"},
}};

constexpr std::array<OptionSpec, 8> Globals{{
    {"--port", "-p", "NAME",
     "the unit's serial port: /dev/ttyUSB0, ttyUSB0, COM101 or a listed "
     "entry such as \"USB Serial Port (COM101)\"; default: $ZEB40_PORT, "
     "then the port last used in the zeb40 window. Given several times, the "
     "command runs on every unit at once"},
    {"--ports-from", "", "FILE",
     "the ports of several units, one name a line; '#' starts a comment"},
    {"--json", "", "", "print one JSON document per command on standard output"},
    {"--yes", "-y", "",
     "answer every question with OK (needed when standard input is no "
     "terminal)"},
    {"--quiet", "-q", "", "no progress and no notices on standard error; errors are still shown"},
    {"--help", "-h", "", "show this help, or the help of the command"},
    {"--version", "", "", "show the program's version"},
    {"--", "", "", "end of options: every later word is an argument"},
}};

constexpr std::array<CommandSpec, 21> Table{{
    {"ports", "", "list the serial ports",
     "Lists the serial ports of this computer as the port field of the zeb40 window shows "
     "them (\"Description (COMn)\"), with the device path and description of each. Any of "
     "these texts works as --port.",
     NoOptions, 0, 0, UnitUse::None, RunPorts},
    {"info", "", "the unit's version, identifier and options",
     "Connects to the unit and shows what the zeb40 window shows after Connect: the "
     "firmware version and unique identifier, the two option words and the fitted options.",
     NoOptions, 0, 0, UnitUse::Always, RunInfo},
    {"read", "[-o FILE]", "read the unit's settings (into a file)",
     "Reads the unit's 45 settings. With -o they are written into a configuration file "
     "(an existing file is replaced only after a question, or with --yes); without it they "
     "are printed as \"show\" prints them.",
     ReadOptions, 0, 0, UnitUse::Always, RunRead},
    {"show", "FILE", "show the settings of a configuration file",
     "Shows every setting of a configuration file (.zeb): its name, group, label and the "
     "entry or number the configuration window would show. Needs no unit.",
     NoOptions, 1, 1, UnitUse::None, RunShow, FirstArgument::ConfigFile},
    {"apply", "[--changed] FILE", "send all settings of a file to the unit",
     "Sends all 45 settings of a configuration file to the unit, as the Apply button does: "
     "'S', 'O', the items, 'S'. When the unit's configuration memory is full it offers to "
     "reorganise it (a question; --yes answers OK) and then applies once more.\n\n"
     "With --changed the unit's settings are read first and only those that differ from "
     "the file are sent, in the same order and batch, so that no item slot of the unit's "
     "configuration memory is used for a setting it already holds; \"Nothing to apply\" "
     "when none differs. After a reorganisation the settings are read again and what "
     "still differs is sent.",
     ApplyOptions, 1, 1, UnitUse::Always, RunApply, FirstArgument::ConfigFile},
    {"diff", "FILE [FILE2]", "the settings in which the unit or FILE2 differs from FILE",
     "Compares the settings of a configuration file with the unit's (or with those of a "
     "second file) and prints one line for each setting that differs: its name, group and "
     "label, the value in FILE and the value of the unit or FILE2, as the configuration "
     "window shows them (where both show alike, the stored bytes follow). A setting counts "
     "as equal when it holds what apply would send from FILE. Prints nothing when all are "
     "equal. Exit status 0 when equal, 9 when they differ.",
     NoOptions, 1, 2, UnitUse::UnlessSecondFile, RunDiff, FirstArgument::ConfigFile},
    {"verify", "FILE", "check that the unit holds the settings of a file",
     "Reads the unit's settings and compares them with a configuration file, as diff does, "
     "for monitoring scripts: one line, \"Settings as in FILE\" or how many and which "
     "settings differ. Exit status 0 when equal, 9 when they differ; \"apply --changed\" "
     "puts them back.",
     NoOptions, 1, 1, UnitUse::Always, RunVerify, FirstArgument::ConfigFile},
    {"new", "FILE", "write a file with the default settings",
     "Writes the built-in default settings into a configuration file, as File New and "
     "Save As do. An existing file is replaced only after a question, or with --yes.",
     NoOptions, 1, 1, UnitUse::None, RunNew, FirstArgument::ConfigFile},
    {"get", "[-f FILE] SETTING", "show one setting of the unit or of a file",
     "Reads one setting from the unit (or, with -f, from a configuration file) and shows "
     "its entry or number. SETTING is a stable name such as generate.frame-rate; "
     "\"zeb40ctl settings\" lists them.",
     FileOptions, 1, 1, UnitUse::UnlessFile, RunGet, FirstArgument::SettingName},
    {"set", "[-f FILE] SETTING VALUE", "change one setting of the unit or of a file",
     "Writes one setting to the unit at once, as the configuration window does with Auto "
     "Apply. VALUE is a list entry (\"25\", \"30 DF\", \"Off\"; letter case does not matter), "
     "its index, a number, or on/off for a check box. The window's bounds apply: a value "
     "that a bound changes is written bounded and reported.\n\n"
     "With -f the setting is changed in a configuration file instead, as the window does "
     "without a connection before File Save; changing the norm there also bounds the "
     "settings that depend on it anew.",
     FileOptions, 2, 2, UnitUse::UnlessFile, RunSet, FirstArgument::SettingName},
    {"settings", "", "list the setting names with their values",
     "Lists every setting that get and set take: its name, group and label, and the list "
     "entries or the range of numbers it accepts. Needs no unit.",
     NoOptions, 0, 0, UnitUse::None, RunSettings},
    {"monitor", "[--reader] [--generator] [--count N]", "show the running timecode",
     "Polls the unit every 200 ms and prints its running timecode as the configuration "
     "window's Timecode boxes show it: \"HH:MM:SS:FF  UUUUUUUU\" (time, two blanks, user "
     "bits), one line per poll. With both --reader and --generator the two are polled in "
     "turn and each line starts with \"reader\" or \"generator\". With --json and without "
     "--count it prints one JSON object per poll as it comes (JSON Lines), then the result "
     "as a last line; with --count, one document at the end.",
     MonitorOptions, 0, 0, UnitUse::Always, RunMonitor},
    {"generator-set", "HH:MM:SS:FF [USERBITS]", "load a time and user bits into the generator",
     "Loads a start time and, optionally, user bits (up to 8 hexadecimal digits) into the "
     "generator and stores the time as the generator preset, as the Set button does: "
     "'D' user bits, 'A' time, 'P' 24, 'L' time.",
     NoOptions, 1, 2, UnitUse::Always, RunGeneratorSet},
    {"jam", "", "trigger a jam", "Sends the Jam button's command ('E' 41h).", NoOptions, 0, 0,
     UnitUse::Always, RunJam},
    {"position", "PRESET", "place the inserted timecode at a preset",
     "Places the inserted timecode as the eight buttons of the Position group do: "
     "upper-left, upper-center, upper-right, middle-left, middle-right, lower-left, "
     "lower-center or lower-right (\"Lower Right\" works too). The horizontal and "
     "vertical positions follow the unit's norm and insert size.",
     NoOptions, 1, 1, UnitUse::Always, RunPosition, FirstArgument::PositionPreset},
    {"usercode", "CODE", "download a four-digit user code",
     "Downloads a user code (0 to 9999) into the unit: 'A' 0, then 'D' with the code.", NoOptions,
     1, 1, UnitUse::Always, RunUserCode},
    {"profile", "load N | save N", "load a profile or save a user profile",
     "profile load N: loads profile N (1 to 499) or, with N = 0, the factory settings, "
     "then reads the unit's settings back.\n\n"
     "profile save N: applies the unit's current settings and saves them as user "
     "profile N (0 to 9).",
     NoOptions, 2, 2, UnitUse::Always, RunProfile, FirstArgument::ProfileVerb},
    {"clock", "", "set the unit's clock from this computer",
     "Sets the unit's real-time clock and date from this computer's local time, with the "
     "frame number from the unit's norm.",
     NoOptions, 0, 0, UnitUse::Always, RunClock},
    {"reorganize", "", "reorganise the unit's configuration memory",
     "Reorganises the unit's configuration memory after a question (--yes answers OK). "
     "Does nothing when no item is in use.",
     NoOptions, 0, 0, UnitUse::Always, RunReorganize},
    {"flash", "PACKAGE", "replace the firmware from a flash package",
     "Replaces the unit's firmware from a flash update package (.zcf): mode switch, tests, "
     "erase, programming, read-back and restart. The package is read and checked before the "
     "port is opened. Shows a progress bar on a terminal and plain progress lines otherwise. "
     "With --read-ahead N the read-back keeps N byte requests on their way while the unit "
     "answers, which uses the line in both directions at once; 1, the default, asks for "
     "each byte after the one before has come, as the zeb40 window does.",
     FlashOptions, 1, 1, UnitUse::Always, RunFlash, FirstArgument::Package},
    {"help", "[COMMAND]", "show the help of zeb40ctl or of a command", "", NoOptions, 0, 1,
     UnitUse::None, nullptr, FirstArgument::CommandName},
}};

} // namespace

std::span<const CommandSpec> Commands() {
    return Table;
}

const CommandSpec* FindCommand(std::string_view name) {
    for (const auto& command : Table) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

std::span<const OptionSpec> GlobalOptions() {
    return Globals;
}

bool TalksToUnit(const Invocation& invocation) {
    const CommandSpec* command = FindCommand(invocation.command);
    if (!command)
        return false;
    switch (command->unit) {
    case UnitUse::None:
        return false;
    case UnitUse::Always:
        return true;
    case UnitUse::UnlessFile:
        return !invocation.Has("--file");
    case UnitUse::UnlessSecondFile:
        return invocation.words.size() == 1;
    }
    return false;
}

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view word) {
    for (const auto& option : options) {
        if (option.name == word || (!option.shortName.empty() && option.shortName == word))
            return &option;
    }
    return nullptr;
}

} // namespace zeb40::cli
