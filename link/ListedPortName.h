#pragma once
// The COM number at the end of a port list entry, as the port field shows
// them on every system: "USB Serial Port (COM12)" is port 12.

#include <optional>
#include <string_view>

namespace zeb40 {

// n when name ends in "(COMn)" (COM in any case) with n greater than 0;
// empty for any other name, including the bare "COMn".
std::optional<unsigned> ComNumberOfListedName(std::string_view name);

// Decimal digits from the start of text; saturates instead of overflowing.
unsigned LeadingNumber(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

} // namespace zeb40
