// The program's command line from arbitrary words.
#include "shell/startup/CommandLine.h"
#include "shell/startup/UserCode.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Words are separated by NUL bytes, as argv would hold them.
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    zeb40::CommandLine line = zeb40::ParseCommandLine(words);
    if (line.unattended) {
        zeb40::ApplyUnattendedDefaults(line);
        zeb40::UserCodeWordFromText(line.userCode);
    }
    return 0;
}
