#include "shell/startup/CommandLine.h"

namespace zeb40 {
namespace {

bool IsSwitch(const std::string& word) {
    if (word.starts_with("-"))
        return true;
    // Device paths start with "/" too; they hold a second "/".
    return word.starts_with("/") && word.find('/', 1) == std::string::npos;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    for (const std::string& word : arguments) {
        if (IsSwitch(word)) {
            if (word.size() >= 2 && word[1] == 'a')
                result.unattended = true;
            else if (word == "--version" && !result.unattended)
                result.versionAsked = true;
            continue;
        }
        if (!result.unattended)
            continue;
        if (result.portName.empty())
            result.portName = word;
        else
            result.userCode = word;
    }
    return result;
}

void ApplyUnattendedDefaults(CommandLine& commandLine) {
    if (commandLine.userCode.empty() && !commandLine.portName.empty() &&
        commandLine.portName[0] >= '0' && commandLine.portName[0] <= '9') {
        commandLine.userCode = commandLine.portName;
        commandLine.portName.clear();
    }
    if (commandLine.portName.empty())
        commandLine.portName = "COM2";
}

} // namespace zeb40
