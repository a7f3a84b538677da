#include "cli/CliArguments.h"

#include "cli/CliContext.h"
#include "cli/CommandTable.h"

#include <gtest/gtest.h>
#include <random>

namespace zeb40::cli {
namespace {

Invocation Parsed(const std::vector<std::string>& arguments) {
    ParsedArguments parsed = ParseCliArguments(arguments);
    EXPECT_TRUE(parsed.invocation) << parsed.error;
    return parsed.invocation.value_or(Invocation{});
}

std::string ErrorOf(const std::vector<std::string>& arguments) {
    ParsedArguments parsed = ParseCliArguments(arguments);
    EXPECT_FALSE(parsed.invocation);
    return parsed.error;
}

TEST(CliArguments, GlobalOptionsStandBeforeOrAfterTheCommand) {
    Invocation before = Parsed({"--port", "COM3", "--json", "-y", "-q", "info"});
    EXPECT_EQ(before.port, "COM3");
    EXPECT_TRUE(before.json && before.yes && before.quiet);
    EXPECT_EQ(before.command, "info");

    Invocation after = Parsed({"info", "--json", "--port=USB Serial Port (COM101)"});
    EXPECT_EQ(after.port, "USB Serial Port (COM101)");
    EXPECT_TRUE(after.json);
    EXPECT_EQ(Parsed({"-p", "/dev/ttyUSB0", "info"}).port, "/dev/ttyUSB0");
}

TEST(CliArguments, CommandOptionsAndArguments) {
    Invocation monitor = Parsed({"monitor", "--reader", "-n", "3"});
    EXPECT_TRUE(monitor.Has("--reader"));
    EXPECT_FALSE(monitor.Has("--generator"));
    EXPECT_EQ(monitor.options.at("--count"), "3");

    EXPECT_EQ(Parsed({"read", "--output=a.zeb"}).options.at("--output"), "a.zeb");
    EXPECT_EQ(Parsed({"set", "generate.frame-rate", "30 DF"}).words,
              (std::vector<std::string>{"generate.frame-rate", "30 DF"}));
}

TEST(CliArguments, ValuesThatLookLikeOptions) {
    // A list entry such as "-24 dB" is an argument, and "--" ends the options.
    EXPECT_EQ(Parsed({"set", "generate.ltc-gain", "-24 dB"}).words.back(), "-24 dB");
    EXPECT_EQ(Parsed({"show", "--", "--odd-name.zeb"}).words.back(), "--odd-name.zeb");
    EXPECT_EQ(Parsed({"--port", "--json", "info"}).port, "--json");
}

TEST(CliArguments, HelpInEveryForm) {
    EXPECT_TRUE(Parsed({"--help"}).help);
    Invocation commandHelp = Parsed({"set", "--help"});
    EXPECT_TRUE(commandHelp.help);
    EXPECT_EQ(commandHelp.command, "set");
    Invocation helpCommand = Parsed({"help", "flash"});
    EXPECT_TRUE(helpCommand.help);
    EXPECT_EQ(helpCommand.command, "flash");
    EXPECT_EQ(Parsed({"help"}).command, "");
    EXPECT_TRUE(Parsed({"--version"}).version);
}

TEST(CliArguments, MistakesAreNamed) {
    EXPECT_NE(ErrorOf({}).find("no command"), std::string::npos);
    EXPECT_NE(ErrorOf({"frobnicate"}).find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_NE(ErrorOf({"info", "--count", "3"}).find("unknown option '--count' for 'info'"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"--bogus", "info"}).find("unknown option '--bogus'"), std::string::npos);
    EXPECT_NE(ErrorOf({"info", "--port"}).find("needs a value"), std::string::npos);
    EXPECT_NE(ErrorOf({"info", "--json=yes"}).find("takes no value"), std::string::npos);
    EXPECT_NE(ErrorOf({"set", "generate.frame-rate"}).find("'set' takes 2 arguments"),
              std::string::npos);
    EXPECT_NE(ErrorOf({"generator-set"}).find("1 to 2 arguments"), std::string::npos);
    EXPECT_NE(ErrorOf({"info", "extra"}).find("'info' takes 0 arguments"), std::string::npos);
    EXPECT_NE(ErrorOf({"help", "nothing"}).find("unknown command 'nothing'"), std::string::npos);
}

TEST(CliArguments, EveryCommandOfTheTableParsesWithItsLeastArguments) {
    for (const auto& command : Commands()) {
        std::vector<std::string> arguments{std::string(command.name)};
        for (int i = 0; i < command.minWords; ++i)
            arguments.push_back("1");
        EXPECT_TRUE(ParseCliArguments(arguments).invocation) << command.name;
    }
}

TEST(PortName, OptionThenEnvironmentThenTheWindowsSetting) {
    PortSources sources{std::string("ttyUSB1"), [] { return std::string("COM3"); }};
    EXPECT_EQ(ResolvePortName(std::string("ttyS0"), sources), "ttyS0");
    EXPECT_EQ(ResolvePortName(std::nullopt, sources), "ttyUSB1");
    sources.variable = "";
    EXPECT_EQ(ResolvePortName(std::nullopt, sources), "COM3");
    sources.storedPort = nullptr;
    EXPECT_EQ(ResolvePortName(std::nullopt, sources), "");
    EXPECT_EQ(ResolvePortName(std::string(""), {std::string("ttyUSB1"), nullptr}), "");
}

TEST(CliArguments, ArbitraryWordsNeverBreakTheParser) {
    const std::vector<std::string> pieces{
        "-", "--",   "-p", "--port", "--port=", "=",       "info",     "set", "-n",     "--count=",
        "",  "\xff", "-9", "help",   "--json",  "monitor", "--reader", "-o",  "profile"};
    std::mt19937 random(40);
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::string> arguments;
        const auto length = random() % 7;
        for (unsigned i = 0; i < length; ++i)
            arguments.push_back(pieces[random() % pieces.size()]);
        ParsedArguments parsed = ParseCliArguments(arguments);
        EXPECT_NE(parsed.invocation.has_value(), !parsed.error.empty());
    }
}

} // namespace
} // namespace zeb40::cli
