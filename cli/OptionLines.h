#pragma once

#include <string>
#include <vector>

namespace zeb40::cli {

// The options text split at its line breaks; a last piece without one counts.
std::vector<std::string> OptionLines(const std::string& optionsText);

} // namespace zeb40::cli
