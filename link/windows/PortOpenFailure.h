#pragma once
// Why a port could not be opened, in words an operator can act on.

#include <string>

namespace zeb40 {

// "COM3: Access denied. Another program is using the port." The device is
// shown as the operator names it, without the "\\.\" prefix.
std::string PortOpenFailureDetail(const std::string& device, unsigned long code);

} // namespace zeb40
