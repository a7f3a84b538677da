#pragma once
// Explains why a port could not be opened, in words an operator can act on.

#include <string>

namespace zeb40 {

// The system's reason for errorNumber on devicePath; for "permission denied"
// it names the group that owns the device and how to join it.
std::string PortOpenFailureReason(const std::string& devicePath, int errorNumber);

// The reason above, preceded by the device path.
std::string PortOpenFailureDetail(const std::string& devicePath, int errorNumber);

} // namespace zeb40
