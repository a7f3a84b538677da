// zeb40ctl's command line from arbitrary words.
#include "cli/CliArguments.h"

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
    auto parsed = zeb40::cli::ParseCliArguments(words);
    if (!parsed.invocation && parsed.error.empty())
        __builtin_trap(); // a refused command line must say why
    return 0;
}
