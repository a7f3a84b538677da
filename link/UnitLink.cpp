#include "link/UnitLink.h"

#include "link/ReplyDecoding.h"

#include <cstring>

namespace zeb40 {

std::string HexText(std::uint32_t value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    char text[9];
    int n = 0;
    do {
        text[n++] = Digits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string result;
    while (n > 0)
        result += text[--n];
    return result;
}

bool UnitLink::SendText(const char* text) {
    return WriteText(text, std::strlen(text));
}

bool UnitLink::SendLetter(char letter) {
    if (!WriteText(&letter, 1))
        return false;
    return WriteText("\r", 1);
}

bool UnitLink::SendCommand(char letter, std::uint32_t value) {
    if (!WriteText(&letter, 1))
        return false;
    std::string text = HexText(value);
    if (!WriteText(text.c_str(), text.size()))
        return false;
    return WriteText("\r", 1);
}

bool UnitLink::ReadLine(Line& line) {
    line.length = 0;
    while (line.length < Line::MaxLineLength) {
        char byte = 0;
        if (Read(&byte, 1) != 1)
            return false;
        line.bytes[line.length++] = byte;
        if (byte == '\n')
            return true;
    }
    return true; // the rest of a longer line is read as the next line
}

bool UnitLink::ReadEcho(char& letter, std::uint32_t& value) {
    Line line;
    if (!ReadLine(line))
        return false;
    Echo echo = DecodeEcho(line.View()).value_or(Echo{});
    letter = echo.letter;
    value = echo.value;
    return true;
}

bool UnitLink::ReadReplyLine(bool withSecondSlot, ReplyCode& code, std::uint32_t& value,
                             std::uint32_t& second) {
    Line line;
    if (!ReadLine(line))
        return false;
    auto reply = DecodeReply(line.View(), withSecondSlot);
    if (!reply)
        return false;
    code = reply->code;
    value = reply->value;
    if (reply->code == ReplyCode::ValuePair)
        second = reply->second;
    return true;
}

bool UnitLink::ReadReply(ReplyCode& code, std::uint32_t& value) {
    std::uint32_t unused = 0;
    return ReadReplyLine(false, code, value, unused);
}

bool UnitLink::ReadReply(ReplyCode& code, std::uint32_t& value, std::uint32_t& second) {
    return ReadReplyLine(true, code, value, second);
}

bool UnitLink::Probe() {
    if (!SendText("\b"))
        return false;
    Line ignored;
    if (!ReadLine(ignored))
        return false;
    ReplyCode code{};
    std::uint32_t value = 0;
    return ReadReply(code, value) && code == ReplyCode::CO;
}

bool UnitLink::SendAndCheckEcho(char letter, std::uint32_t value) {
    if (!SendCommand(letter, value))
        return false;
    char echoedLetter = 0;
    std::uint32_t echoedValue = 0;
    return ReadEcho(echoedLetter, echoedValue) && echoedLetter == letter && echoedValue == value;
}

bool UnitLink::Command(char letter, std::uint32_t value) {
    if (!SendAndCheckEcho(letter, value))
        return false;
    ReplyCode code{};
    std::uint32_t result = 0;
    return ReadReply(code, result) && code == ReplyCode::OK;
}

bool UnitLink::CommandLetter(char letter) {
    if (!SendLetter(letter))
        return false;
    char echoedLetter = 0;
    std::uint32_t echoedValue = 0;
    if (!ReadEcho(echoedLetter, echoedValue) || echoedLetter != letter)
        return false;
    ReplyCode code{};
    std::uint32_t result = 0;
    return ReadReply(code, result) && code == ReplyCode::OK;
}

bool UnitLink::Query(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& result) {
    if (!SendAndCheckEcho(letter, value))
        return false;
    std::uint32_t decoded = 0;
    if (!ReadReply(code, decoded))
        return false;
    result = decoded;
    return true;
}

bool UnitLink::QueryWord(char letter, std::uint32_t value, ReplyCode& code, std::uint16_t& result) {
    std::uint32_t decoded = 0;
    if (!Query(letter, value, code, decoded) || decoded >= 0x10000)
        return false;
    result = static_cast<std::uint16_t>(decoded);
    return true;
}

bool UnitLink::QueryByte(char letter, std::uint32_t value, ReplyCode& code, std::uint8_t& result) {
    std::uint32_t decoded = 0;
    if (!Query(letter, value, code, decoded) || decoded >= 0x100)
        return false;
    result = static_cast<std::uint8_t>(decoded);
    return true;
}

bool UnitLink::QueryPair(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& first,
                         std::uint32_t& second) {
    if (!SendAndCheckEcho(letter, value))
        return false;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    if (!ReadReply(code, a, b))
        return false;
    first = a;
    second = b;
    return true;
}

} // namespace zeb40
