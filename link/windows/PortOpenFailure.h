#pragma once
// Explains a Windows error code in the system's own words, and why a port
// could not be opened in words an operator can act on.

#include <string>

namespace zeb40 {

// FormatMessage's text for code, without the line break it ends with.
std::string SystemMessage(unsigned long code);

// "COM3: Access denied. Another program is using the port." The device is
// shown as the operator names it, without the "\\.\" prefix.
std::string PortOpenFailureDetail(const std::string& device, unsigned long code);

} // namespace zeb40
