#pragma once
// Misbehaviour the emulated unit can be told to show, for tests.

#include <cstdint>
#include <optional>
#include <string>

namespace zeb40::sim {

struct Fault {
    enum class Kind {
        Refuse,          // reply with the two-letter code in text
        Reply,           // reply with text as the whole reply line
        Silent,          // no echo, no reply
        SilentReply,     // the echo, then nothing
        WrongEchoLetter, // echo the next letter of the alphabet
        WrongEchoValue,  // echo the value plus one
        LongLine,        // reply with a line of 25 bytes
        LfOnly,          // end both lines with LF only
        Late,            // answer after delayMs
        HangUp,          // send the echo, then vanish
    };

    Kind kind = Kind::Refuse;
    char letter = 0;                    // 0 matches every command; '\b' is the probe
    std::optional<std::uint32_t> value; // match only this value
    std::string text = "PR";
    int delayMs = 0;
    int skip = 0;   // let this many matching commands pass first
    int times = -1; // how often it strikes; -1 for ever

    static Fault Of(Kind kind, char letter, int times = -1) {
        Fault fault;
        fault.kind = kind;
        fault.letter = letter;
        fault.times = times;
        return fault;
    }
    static Fault Refuse(char letter, std::string code, int times = -1) {
        Fault fault = Of(Kind::Refuse, letter, times);
        fault.text = std::move(code);
        return fault;
    }
    static Fault Reply(char letter, std::string line, int times = -1) {
        Fault fault = Of(Kind::Reply, letter, times);
        fault.text = std::move(line);
        return fault;
    }
    static Fault Late(char letter, int milliseconds, int times = -1) {
        Fault fault = Of(Kind::Late, letter, times);
        fault.delayMs = milliseconds;
        return fault;
    }
    // Only for commands carrying this value.
    Fault OnValue(std::uint32_t onlyValue) const {
        Fault fault = *this;
        fault.value = onlyValue;
        return fault;
    }
    // Only after this many matching commands went through.
    Fault After(int passing) const {
        Fault fault = *this;
        fault.skip = passing;
        return fault;
    }
};

} // namespace zeb40::sim
