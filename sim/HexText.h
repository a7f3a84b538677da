#pragma once
// Hexadecimal numbers as the unit writes and reads them. The emulator keeps
// its own rather than the program's, so a fault in the program's number
// handling shows up against it instead of being mirrored.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40::sim {

// Upper-case digits without leading zeros; 0 is "0".
std::string FormatHex(std::uint32_t value);

// Exactly digits upper-case digits, zero-padded.
std::string FormatHex(std::uint32_t value, int digits);

// One or more hexadecimal digits and nothing else. Digits beyond the eighth
// shift out the top ones, as in the unit's 32-bit register.
std::optional<std::uint32_t> ParseHex(std::string_view digits);

// As ParseHex, for settings of the emulator: at most 8 digits.
std::optional<std::uint32_t> ParseHexSetting(std::string_view digits);

} // namespace zeb40::sim
