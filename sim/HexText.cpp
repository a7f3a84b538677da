#include "sim/HexText.h"

#include <cstdio>

namespace zeb40::sim {

std::string FormatHex(std::uint32_t value) {
    char text[16];
    (void)std::snprintf(text, sizeof text, "%lX", static_cast<unsigned long>(value));
    return text;
}

std::string FormatHex(std::uint32_t value, int digits) {
    char text[16];
    (void)std::snprintf(text, sizeof text, "%0*lX", digits, static_cast<unsigned long>(value));
    return text;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<std::uint32_t>(c - 'a' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return value;
}

std::optional<std::uint32_t> ParseHexSetting(std::string_view digits) {
    if (digits.size() > 8)
        return std::nullopt;
    return ParseHex(digits);
}

} // namespace zeb40::sim
