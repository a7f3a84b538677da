#include "link/ReplyDecoding.h"

#include <array>
#include <cctype>

namespace zeb40 {
namespace {

constexpr std::array<std::pair<std::string_view, ReplyCode>, 11> Codes{{
    {"OK", ReplyCode::OK},
    {"PI", ReplyCode::PI},
    {"PR", ReplyCode::PR},
    {"PM", ReplyCode::PM},
    {"AR", ReplyCode::AR},
    {"CO", ReplyCode::CO},
    {"OV", ReplyCode::OV},
    {"OP", ReplyCode::OP},
    {"CL", ReplyCode::CL},
    {"NC", ReplyCode::NC},
    {"UC", ReplyCode::UC},
}};

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A C string ends at its first NUL; the unit's lines are read as such.
std::string_view UpToNul(std::string_view line) {
    std::size_t nul = line.find('\0');
    return nul == std::string_view::npos ? line : line.substr(0, nul);
}

} // namespace

std::optional<ReplyCode> ReplyCodeFromLetters(std::string_view twoLetters) {
    for (const auto& [letters, code] : Codes) {
        if (letters == twoLetters)
            return code;
    }
    return std::nullopt;
}

const char* ReplyCodeName(ReplyCode code) {
    if (code == ReplyCode::Value)
        return "Value";
    if (code == ReplyCode::ValuePair)
        return "ValuePair";
    for (const auto& [letters, c] : Codes) {
        if (c == code)
            return letters.data();
    }
    return "?";
}

std::optional<ScannedNumber> ScanHex(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
        i + 2 < text.size() && HexDigit(text[i + 2]) >= 0)
        i += 2;
    std::size_t firstDigit = i;
    // As the C library reads "%lx": a 64-bit number that saturates, negated
    // after a minus sign, then cut to the 32 bits of the value.
    constexpr std::uint64_t Largest = ~std::uint64_t{0};
    std::uint64_t value = 0;
    bool overflow = false;
    while (i < text.size() && HexDigit(text[i]) >= 0) {
        const auto digit = static_cast<unsigned>(HexDigit(text[i]));
        if (value > (Largest - digit) / 16)
            overflow = true;
        else
            value = value * 16 + digit;
        ++i;
    }
    if (i == firstDigit)
        return std::nullopt;
    if (overflow)
        value = Largest;
    else if (negative)
        value = 0u - value;
    return ScannedNumber{static_cast<std::uint32_t>(value), i};
}

std::optional<Echo> DecodeEcho(std::string_view line) {
    line = UpToNul(line);
    if (line.empty())
        return std::nullopt;
    Echo echo;
    echo.letter = line[0];
    if (auto number = ScanHex(line.substr(1)))
        echo.value = number->value;
    return echo;
}

std::optional<Reply> DecodeReply(std::string_view line, bool withSecondSlot) {
    if (line.size() == 4 && line[2] == '\r' && line[3] == '\n') {
        if (auto code = ReplyCodeFromLetters(line.substr(0, 2)))
            return Reply{*code, 0, 0};
    }
    line = UpToNul(line);
    auto first = ScanHex(line);
    if (!first)
        return std::nullopt;
    if (withSecondSlot) {
        std::string_view rest = line.substr(first->length);
        if (!rest.empty() && rest[0] == ',') {
            rest.remove_prefix(1);
            if (auto second = ScanHex(rest))
                return Reply{ReplyCode::ValuePair, first->value, second->value};
        }
    }
    return Reply{ReplyCode::Value, first->value, 0};
}

} // namespace zeb40
