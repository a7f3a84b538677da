#include "cli/CliArguments.h"

#include "cli/CommandTable.h"

namespace zeb40::cli {
namespace {

bool LooksLikeOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-' && !(word[1] >= '0' && word[1] <= '9');
}

ParsedArguments Failure(std::string error) {
    return {std::nullopt, std::move(error)};
}

void SetGlobal(Invocation& invocation, const OptionSpec& option, const std::string& value) {
    if (option.name == "--port") {
        invocation.port = value;
        invocation.portArguments.push_back({value, false});
    } else if (option.name == "--ports-from") {
        invocation.portArguments.push_back({value, true});
    } else if (option.name == "--json") {
        invocation.json = true;
    } else if (option.name == "--yes") {
        invocation.yes = true;
    } else if (option.name == "--quiet") {
        invocation.quiet = true;
    } else if (option.name == "--help") {
        invocation.help = true;
    } else if (option.name == "--version") {
        invocation.version = true;
    }
}

// "--report-fd=N" and "--completion" are not for people, so they are no
// entries of the option table and never shown in the help.
constexpr std::string_view ReportFdOption = "--report-fd=";
constexpr std::string_view CompletionOption = "--completion";

std::optional<int> ReportFd(const std::string& word) {
    if (!word.starts_with(ReportFdOption))
        return std::nullopt;
    std::string digits = word.substr(ReportFdOption.size());
    if (digits.empty() || digits.size() > 4 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int fd = std::stoi(digits);
    return fd > 2 ? std::optional(fd) : std::nullopt;
}

std::string Plural(int count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

std::string ArityError(const CommandSpec& command, std::size_t given) {
    std::string expected;
    if (command.minWords == command.maxWords)
        expected = Plural(command.minWords, "argument");
    else
        expected = std::to_string(command.minWords) + " to " + Plural(command.maxWords, "argument");
    return "'" + std::string(command.name) + "' takes " + expected + " (" +
           std::string(command.arguments.empty() ? "none" : command.arguments) + "), not " +
           std::to_string(given) + "; see 'zeb40ctl " + std::string(command.name) + " --help'";
}

} // namespace

ParsedArguments ParseCliArguments(const std::vector<std::string>& arguments) {
    Invocation invocation;
    const CommandSpec* command = nullptr;
    bool endOfOptions = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (!endOfOptions && word == "--") {
            endOfOptions = true;
            continue;
        }
        if (!endOfOptions && word.starts_with(ReportFdOption)) {
            invocation.reportFd = ReportFd(word);
            if (!invocation.reportFd)
                return Failure("unknown option '" + word + "'; see 'zeb40ctl --help'");
            continue;
        }
        if (!endOfOptions && word == CompletionOption) {
            invocation.completion = true;
            continue;
        }
        if (!endOfOptions && LooksLikeOption(word)) {
            std::string name = word;
            std::optional<std::string> attached;
            if (auto equals = word.find('=');
                word.starts_with("--") && equals != std::string::npos) {
                name = word.substr(0, equals);
                attached = word.substr(equals + 1);
            }
            const OptionSpec* option = FindOption(GlobalOptions(), name);
            bool global = option != nullptr;
            if (!option && command)
                option = FindOption(command->options, name);
            if (!option) {
                if (command)
                    return Failure("unknown option '" + name + "' for '" +
                                   std::string(command->name) + "'; see 'zeb40ctl " +
                                   std::string(command->name) + " --help'");
                return Failure("unknown option '" + name + "'; see 'zeb40ctl --help'");
            }
            std::string value;
            if (!option->valueName.empty()) {
                if (attached) {
                    value = *attached;
                } else if (i + 1 < arguments.size()) {
                    value = arguments[++i];
                } else {
                    return Failure("option '" + name + "' needs a value (" +
                                   std::string(option->valueName) + ")");
                }
            } else if (attached) {
                return Failure("option '" + name + "' takes no value");
            }
            if (global)
                SetGlobal(invocation, *option, value);
            else
                invocation.options[std::string(option->name)] = value;
            continue;
        }
        if (!command) {
            command = FindCommand(word);
            if (!command)
                return Failure("unknown command '" + word + "'; see 'zeb40ctl --help'");
            invocation.command = word;
            continue;
        }
        invocation.words.push_back(word);
    }

    if (invocation.command == "help") {
        invocation.help = true;
        if (invocation.words.size() > 1)
            return Failure(ArityError(*command, invocation.words.size()));
        if (!invocation.words.empty()) {
            if (!FindCommand(invocation.words.front()))
                return Failure("unknown command '" + invocation.words.front() +
                               "'; see 'zeb40ctl --help'");
            invocation.command = invocation.words.front();
        } else {
            invocation.command.clear();
        }
        invocation.words.clear();
        return {invocation, {}};
    }
    if (invocation.help || invocation.version || invocation.completion)
        return {invocation, {}};
    if (!command)
        return Failure("no command given; see 'zeb40ctl --help'");
    auto count = static_cast<int>(invocation.words.size());
    if (count < command->minWords || count > command->maxWords)
        return Failure(ArityError(*command, invocation.words.size()));
    return {invocation, {}};
}

} // namespace zeb40::cli
