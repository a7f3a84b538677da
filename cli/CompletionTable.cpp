#include "cli/CompletionTable.h"

#include "cli/CommandTable.h"
#include "cli/Commands.h"

namespace zeb40::cli {
namespace {

std::string OptionWords(std::span<const OptionSpec> options, bool onlyWithValue) {
    std::string words;
    for (const auto& option : options) {
        if (onlyWithValue && option.valueName.empty())
            continue;
        words += " " + std::string(option.name);
        if (!option.shortName.empty())
            words += " " + std::string(option.shortName);
    }
    return words;
}

const char* ArgumentKind(FirstArgument argument) {
    switch (argument) {
    case FirstArgument::Free:
        return "-";
    case FirstArgument::ConfigFile:
        return "zeb";
    case FirstArgument::Package:
        return "zcf";
    case FirstArgument::SettingName:
        return "setting";
    case FirstArgument::CommandName:
        return "command";
    case FirstArgument::ProfileVerb:
    case FirstArgument::PositionPreset:
        return "words";
    }
    return "-";
}

std::string ArgumentWords(FirstArgument argument) {
    if (argument == FirstArgument::ProfileVerb)
        return "load save";
    if (argument == FirstArgument::PositionPreset)
        return PositionPresetNames();
    return {};
}

} // namespace

std::string CompletionTable() {
    std::string table = "global -" + OptionWords(GlobalOptions(), false) + "\n";
    std::string values = OptionWords(GlobalOptions(), true);
    std::string commands;
    for (const auto& command : Commands()) {
        const std::string name(command.name);
        values += OptionWords(command.options, true);
        commands.append("command ").append(name).append(" ");
        commands.append(ArgumentKind(command.firstArgument));
        commands.append(OptionWords(command.options, false)).append("\n");
        if (std::string words = ArgumentWords(command.firstArgument); !words.empty())
            commands.append("words ").append(name).append(" ").append(words).append("\n");
    }
    return table.append("values -").append(values).append("\n").append(commands);
}

} // namespace zeb40::cli
