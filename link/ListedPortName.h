#pragma once
// The COM number in a port name, as the port field shows them on every
// system: "USB Serial Port (COM12)" and "COM12" are port 12.

#include <optional>
#include <string_view>

namespace zeb40 {

// n when name ends in "(COMn)" (COM in any case) with n greater than 0;
// empty for any other name, including the bare "COMn".
std::optional<unsigned> ComNumberOfListedName(std::string_view name);

// n when name is "COMn" itself (COM in any case, digits only) with n greater
// than 0.
std::optional<unsigned> ComNumberOfComName(std::string_view name);

// Decimal digits from the start of text; saturates instead of overflowing.
unsigned LeadingNumber(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace zeb40
