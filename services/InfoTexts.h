#pragma once
// The texts of the main window's Info group, built from what the unit reports.

#include <cstdint>
#include <string>

namespace zeb40 {

// One line per option fitted in both option words ("\n" after each complete
// line), in the order the main window lists them.
std::string OptionsText(std::uint32_t firstOptionWord, std::uint32_t secondOptionWord);

// "3.46"; with "\t\tUnique ID:  0000002A" appended unless the identifier is
// 0xFFFFFFFF (a unit without one).
std::string VersionText(std::uint16_t version, std::uint32_t identifier);

// "00020001 / 00020003": first option word, then the second.
std::string ConfigText(std::uint32_t firstOptionWord, std::uint32_t secondOptionWord);

} // namespace zeb40
