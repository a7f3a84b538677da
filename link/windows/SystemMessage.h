#pragma once
// A Windows error code in the system's own words, for every message that
// passes on why the system refused something (ports, files).

#include <string>

namespace zeb40 {

// FormatMessage's text for code, without the line break it ends with.
std::string SystemMessage(unsigned long code);

} // namespace zeb40
