// The program's command line from arbitrary words.
#include "fuzz/FuzzSupport.h"
#include "services/UserCode.h"
#include "shell/startup/CommandLine.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> words = zeb40::fuzz::WordsFrom(data, size);
    zeb40::CommandLine line = zeb40::ParseCommandLine(words);
    if (line.unattended) {
        zeb40::ApplyUnattendedDefaults(line);
        zeb40::UserCodeWordFromText(line.userCode);
    }
    return 0;
}
