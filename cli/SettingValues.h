#pragma once
// Setting values as an operator types and reads them: a list entry, a
// number, on/off. Turns text into what the window's control would hold and a
// stored item byte into what the window would show.

#include "config/ItemDescriptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40::cli {

// The control value for the text: a list entry (letter case ignored, "us"
// for "µs") or its index, a number in the field's range, or on/off. The
// window's validation message in error when the text is not acceptable.
std::optional<int> ControlValueFromText(const ItemDescription& description, std::string_view text,
                                        std::string& error);

// The item byte a handler computes from a control value: BCD for times, the
// Off flag with the former source kept for the Off entry.
int ItemValueFromControl(const ItemDescription& description, int controlValue,
                         std::uint8_t current);

// What the window shows for a stored byte: the entry, the number, "on" or
// "off"; "(none)" when the byte selects no entry.
std::string DisplayText(const ItemDescription& description, std::uint8_t stored);

// "one of: Auto, 25, ..." or "0 to 30", for the list of settings.
std::string AcceptedValues(const ItemDescription& description);

} // namespace zeb40::cli
