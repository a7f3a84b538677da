#include "cli/HelpText.h"

#include "cli/ExitCode.h"

namespace zeb40::cli {
namespace {

std::string OptionLine(const OptionSpec& option) {
    std::string names = option.shortName.empty()
                            ? "    " + std::string(option.name)
                            : std::string(option.shortName) + ", " + std::string(option.name);
    if (!option.valueName.empty())
        names += " " + std::string(option.valueName);
    std::string line = "  " + names;
    if (line.size() < 24)
        line.append(24 - line.size(), ' ');
    else
        line += "\n" + std::string(24, ' ');
    return line + std::string(option.help) + "\n";
}

} // namespace

std::string ToolHelp() {
    std::string text = "usage: zeb40ctl [--port NAME] [--json] [--yes] [--quiet] COMMAND [ARGS]\n"
                       "\n"
                       "Configures a ZEB40 timecode unit on a serial port without a window.\n"
                       "\n"
                       "Commands:\n";
    for (const auto& command : Commands()) {
        std::string line = "  " + std::string(command.name);
        if (!command.arguments.empty())
            line += " " + std::string(command.arguments);
        if (line.size() < 34)
            line.append(34 - line.size(), ' ');
        else
            line += "\n" + std::string(34, ' ');
        text += line + std::string(command.summary) + "\n";
    }
    text += "\nOptions:\n";
    for (const auto& option : GlobalOptions())
        text += OptionLine(option);
    text += "\nExit status:\n";
    for (const auto& [code, meaning] : ExitCodeDescriptions())
        text += "  " + std::to_string(ToInt(code)) + "  " + std::string(meaning) + "\n";
    text += "\n'zeb40ctl COMMAND --help' shows the help of a command.\n";
    return text;
}

std::string CommandHelp(const CommandSpec& command) {
    std::string text =
        "usage: zeb40ctl [--port NAME] [--json] [--yes] [--quiet] " + std::string(command.name);
    if (!command.arguments.empty())
        text += " " + std::string(command.arguments);
    text +=
        "\n\n" + std::string(command.details.empty() ? command.summary : command.details) + "\n";
    if (!command.options.empty()) {
        text += "\nOptions:\n";
        for (const auto& option : command.options)
            text += OptionLine(option);
    }
    return text;
}

} // namespace zeb40::cli
