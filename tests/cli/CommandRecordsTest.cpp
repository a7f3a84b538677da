// Every zeb40ctl command is one record: the dispatch, the help, the
// completion and the several-units run all come from it.

#include "cli/CliArguments.h"
#include "cli/CommandTable.h"
#include "cli/CompletionTable.h"
#include "cli/HelpText.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace zeb40::test {
namespace {

cli::Invocation Parsed(const std::vector<std::string>& arguments) {
    auto parsed = cli::ParseCliArguments(arguments);
    EXPECT_TRUE(parsed.invocation) << parsed.error;
    return parsed.invocation.value_or(cli::Invocation{});
}

TEST(CommandRecords, EachCommandHasItsFunctionAndItsPlaceInHelpAndCompletion) {
    const std::string help = cli::ToolHelp();
    const std::string completion = cli::CompletionTable();
    std::set<std::string_view> names;
    for (const auto& command : cli::Commands()) {
        const std::string name(command.name);
        EXPECT_TRUE(names.insert(command.name).second) << name << " twice";
        EXPECT_EQ(command.run == nullptr, name == "help") << name;
        EXPECT_LE(command.minWords, command.maxWords) << name;
        EXPECT_NE(help.find("\n  " + name + " "), std::string::npos) << name;
        EXPECT_EQ(cli::CommandHelp(command).rfind("usage: zeb40ctl [OPTIONS] " + name, 0), 0u);
        std::string line = "\ncommand " + name + " ";
        EXPECT_NE(completion.find(line), std::string::npos) << name;
        for (const auto& option : command.options) {
            std::string optionName(option.name);
            std::size_t at = completion.find(line);
            std::string own = completion.substr(at, completion.find('\n', at + 1) - at);
            EXPECT_NE(own.find(" " + optionName), std::string::npos) << name << " " << optionName;
        }
    }
}

TEST(CommandRecords, WhatTalksToAUnitFollowsTheRecordAndItsFileOption) {
    for (const auto& command : cli::Commands()) {
        if (command.name == "help")
            continue;
        std::vector<std::string> arguments{std::string(command.name)};
        for (int i = 0; i < command.minWords; ++i)
            arguments.push_back("x");
        EXPECT_EQ(cli::TalksToUnit(Parsed(arguments)), command.unit != cli::UnitUse::None)
            << command.name;
    }
    for (const char* name : {"show", "new", "ports", "settings"})
        EXPECT_EQ(cli::FindCommand(name)->unit, cli::UnitUse::None) << name;
    EXPECT_TRUE(cli::TalksToUnit(Parsed({"set", "general.norm", "NTSC"})));
    EXPECT_FALSE(cli::TalksToUnit(Parsed({"set", "-f", "a.zeb", "general.norm", "NTSC"})));
    EXPECT_FALSE(cli::TalksToUnit(Parsed({"get", "--file=a.zeb", "general.norm"})));
}

TEST(CommandRecords, CompletionTableNamesTheOptionsThatTakeValues) {
    std::istringstream lines(cli::CompletionTable());
    std::string line;
    std::string values;
    std::string global;
    while (std::getline(lines, line)) {
        if (line.rfind("values - ", 0) == 0)
            values = line + " ";
        if (line.rfind("global - ", 0) == 0)
            global = line + " ";
    }
    for (const char* option :
         {"--port", "-p", "--ports-from", "--output", "-o", "--file", "-f", "--count", "-n"})
        EXPECT_NE(values.find(std::string(" ") + option + " "), std::string::npos) << option;
    EXPECT_EQ(values.find(" --json "), std::string::npos);
    EXPECT_EQ(global.find(" --output "), std::string::npos) << "a command's own option";
    EXPECT_NE(cli::CompletionTable().find("\nwords position upper-left upper-center"),
              std::string::npos);
}

} // namespace
} // namespace zeb40::test
