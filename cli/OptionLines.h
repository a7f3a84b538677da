#pragma once
// The main window's texts about the unit: version with unique identifier,
// the two option words, and the fitted options.

#include <cstdint>
#include <string>
#include <vector>

namespace zeb40::cli {

// "%X.%02X", then "\t\tUnique ID:  %08lX" unless the identifier is FFFFFFFFh.
std::string VersionText(std::uint16_t version, std::uint32_t identifier);
// "%08lX / %08lX", first word first.
std::string ConfigText(std::uint32_t firstWord, std::uint32_t secondWord);
// The option table applied to the AND of both words; "\n" ends each entry.
std::string OptionsText(std::uint32_t firstWord, std::uint32_t secondWord);
// The options text split at its line breaks; a last piece without one counts.
std::vector<std::string> OptionLines(const std::string& optionsText);

} // namespace zeb40::cli
