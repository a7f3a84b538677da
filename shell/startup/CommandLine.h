#pragma once
// The program's command line: "-a" or "/a" switches to the unattended user-code
// download, with an optional port name and user code.

#include <string>
#include <vector>

namespace zeb40 {

struct CommandLine {
    bool unattended = false;
    // "--version" before any "-a": after the switch every word belongs to it.
    bool versionAsked = false;
    std::string portName;
    std::string userCode;
};

// A word beginning with "-", or with "/" and holding no second "/", is a
// switch; only a second character "a" is recognised. Words before the switch
// are ignored; after it the first goes to the port name while that is empty,
// every later one to the user code.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "-a 1234" means user code 1234 on the default port; no port means "COM2".
void ApplyUnattendedDefaults(CommandLine& commandLine);

} // namespace zeb40
