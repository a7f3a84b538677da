#include "cli/HelpText.h"

#include "cli/ExitCode.h"

namespace zeb40::cli {
namespace {

constexpr std::size_t HelpColumn = 24;
constexpr std::size_t LineWidth = 79;

// The words of text in lines that start at indent and end by LineWidth.
std::string Wrapped(std::string_view text, std::size_t indent = HelpColumn) {
    std::string out;
    std::size_t column = indent;
    while (!text.empty()) {
        std::size_t end = text.find(' ');
        std::string_view word = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (column > indent && column + 1 + word.size() > LineWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (column > indent) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
    }
    return out;
}

std::string OptionLine(const OptionSpec& option) {
    std::string names = option.shortName.empty()
                            ? "    " + std::string(option.name)
                            : std::string(option.shortName) + ", " + std::string(option.name);
    if (!option.valueName.empty())
        names += " " + std::string(option.valueName);
    std::string line = "  " + names;
    if (line.size() < HelpColumn)
        line.append(HelpColumn - line.size(), ' ');
    else
        line += "\n" + std::string(HelpColumn, ' ');
    return line + Wrapped(option.help) + "\n";
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
    std::string text = "usage: zeb40ctl [OPTIONS] " + std::string(command.name);
    if (!command.arguments.empty())
        text += " " + std::string(command.arguments);
    text += "\n\n";
    // Each line of the details is a paragraph of its own.
    std::string_view details = command.details.empty() ? command.summary : command.details;
    while (!details.empty()) {
        std::size_t end = details.find('\n');
        text += Wrapped(details.substr(0, end), 0) + "\n";
        details = end == std::string_view::npos ? std::string_view() : details.substr(end + 1);
    }
    text += "\nOPTIONS: --port NAME, --json, --yes, --quiet (see 'zeb40ctl --help').\n";
    if (!command.options.empty()) {
        text += "\nOptions:\n";
        for (const auto& option : command.options)
            text += OptionLine(option);
    }
    return text;
}

} // namespace zeb40::cli
