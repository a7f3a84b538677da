// zeb40ctl's command line from arbitrary words.
#include "cli/CliArguments.h"
#include "fuzz/FuzzSupport.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> words = zeb40::fuzz::WordsFrom(data, size);
    auto parsed = zeb40::cli::ParseCliArguments(words);
    if (!parsed.invocation && parsed.error.empty())
        __builtin_trap(); // a refused command line must say why
    return 0;
}
