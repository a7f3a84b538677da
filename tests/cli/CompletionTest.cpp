// The bash completion of zeb40ctl, run in bash as the shell runs it on Tab:
// COMP_WORDS and COMP_CWORD set, the function called, COMPREPLY read.

#include "cli/CommandTable.h"
#include "tests/cli/CliFixture.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace zeb40::test {
namespace {

using Words = std::vector<std::string>;

std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class Completion : public ::testing::Test {
  protected:
    void SetUp() override {
        // The port list as zeb40ctl prints it for a fixed set of devices.
        cli::CliEnvironment environment;
        environment.serialPorts = [] {
            return std::vector<FoundPort>{{"ttyUSB0", "USB Serial Port"}, {"ttyS0", ""}};
        };
        std::ofstream(folder.File("ports.txt")) << RunTool({"ports"}, environment).out;
        for (const char* name : {"bench.zeb", "notes.txt", "fw.zcf"})
            std::ofstream(folder.File(name)) << "x";
        std::filesystem::create_directory(folder.File("saved"));
    }

    // The completions of the last word, in the order the script offers them.
    Words Complete(const Words& words) {
        std::string script = "source " + Quoted(ZEB40_SOURCE_DIR "/resources/completion/zeb40ctl") +
                             "\ncd " + Quoted(folder.Path()) +
                             "\n# The real program, with the port list of SetUp.\n"
                             "zeb40ctl() { if [ \"$1\" = ports ]; then cat ports.txt; else " +
                             Quoted(ZEB40_BINARY_DIR "/cli/zeb40ctl") +
                             " \"$@\"; fi; }\nCOMP_WORDS=(zeb40ctl";
        for (const std::string& word : words)
            script += " " + Quoted(word);
        script += ")\nCOMP_CWORD=" + std::to_string(words.size()) +
                  "\n_zeb40ctl zeb40ctl\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
        std::ofstream(folder.File("complete.sh")) << script;

        Words offered;
        FILE* pipe = popen(("bash " + Quoted(folder.File("complete.sh")) + " 2>&1").c_str(), "r");
        if (!pipe)
            return offered;
        std::array<char, 512> line{};
        while (fgets(line.data(), line.size(), pipe)) {
            std::string text(line.data());
            if (!text.empty() && text.back() == '\n')
                text.pop_back();
            if (!text.empty())
                offered.push_back(text);
        }
        pclose(pipe);
        std::sort(offered.begin(), offered.end());
        return offered;
    }

    TempDir folder;
};

TEST_F(Completion, CommandsAndOptionsAreThoseOfTheProgram) {
    Words commands;
    for (const auto& command : cli::Commands())
        commands.emplace_back(command.name);
    std::sort(commands.begin(), commands.end());
    EXPECT_EQ(Complete({""}), commands);
    EXPECT_EQ(Complete({"--json", "-p", "COM1", ""}), commands) << "past the global options";
    EXPECT_EQ(Complete({"help", ""}), commands);
    EXPECT_EQ(Complete({"re"}), (Words{"read", "reorganize"}));

    for (const auto& command : cli::Commands()) {
        Words options;
        for (const auto& option : cli::GlobalOptions())
            options.emplace_back(option.name);
        for (const auto& option : command.options)
            options.emplace_back(option.name);
        Words offered;
        for (const std::string& word : Complete({std::string(command.name), "--"})) {
            if (word.starts_with("--"))
                offered.push_back(word);
        }
        std::sort(options.begin(), options.end());
        EXPECT_EQ(offered, options) << command.name;
    }
}

TEST_F(Completion, SettingNamesComeFromTheProgram) {
    Words names = Complete({"get", ""});
    EXPECT_EQ(names.size(), 45u);
    EXPECT_TRUE(std::ranges::count(names, "generate.frame-rate"));
    EXPECT_EQ(Complete({"set", "-f", "bench.zeb", "general.no"}), (Words{"general.norm"}));
    EXPECT_EQ(Complete({"set", "general.norm", "x"}), Words{}) << "the value is free";
}

TEST_F(Completion, PortsAreTheListedComNamesAndDevices) {
    const Words ports{"/dev/ttyS0", "/dev/ttyUSB0", "COM1", "COM101"};
    EXPECT_EQ(Complete({"--port", ""}), ports);
    EXPECT_EQ(Complete({"info", "-p", "COM1"}), (Words{"COM1", "COM101"}));
    // "--port=/dev/ttyU" as bash splits it.
    EXPECT_EQ(Complete({"--port", "=", "/dev/ttyU"}), Words{"/dev/ttyUSB0"});
    EXPECT_EQ(Complete({"--port", "="}), ports);
}

TEST_F(Completion, FilesOfTheRightKindAndFolders) {
    EXPECT_EQ(Complete({"show", ""}), (Words{"bench.zeb", "saved"}));
    EXPECT_EQ(Complete({"read", "-o", ""}), (Words{"bench.zeb", "saved"}));
    EXPECT_EQ(Complete({"flash", ""}), (Words{"fw.zcf", "saved"}));
    EXPECT_EQ(Complete({"show", "bench.zeb", ""}), Words{}) << "one file only";
    EXPECT_EQ(Complete({"position", "lower-r"}), Words{"lower-right"});
    EXPECT_EQ(Complete({"profile", ""}), (Words{"load", "save"}));
}

} // namespace
} // namespace zeb40::test
