#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zeb40::sim {

// One command line as the unit received it (without its CR).
struct ReceivedCommand {
    char letter = 0;
    std::optional<std::uint32_t> value; // empty when no hex digits followed
    std::string text;                   // the whole line as received

    bool Is(char l) const { return letter == l; }
    bool Is(char l, std::uint32_t v) const { return letter == l && value == v; }
};

// What a handler answers: the reply line without its line end ("OK", "3",
// "1A, 2B"). The echo line is built by the emulator.
struct Response {
    std::string reply;
    int busyMs = 0;        // the unit works this long before it answers
    bool silent = false;   // no echo, no reply
    bool echoValue = true; // echo the value that was understood
};

} // namespace zeb40::sim
