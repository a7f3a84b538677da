#pragma once
// Every setting of a table as "show" and "read" print it: name, group, label
// and what the window shows, as text columns or as JSON.

#include "cli/CliContext.h"
#include "config/ConfigItemTable.h"
#include "config/SettingDifferences.h"

#include <span>

namespace zeb40::cli {

// Prints the text form unless the output is JSON, and puts "settings" into
// the JSON result.
void ListSettings(CliContext& context, const ConfigItemTable& table);

// The differing settings in the same columns, followed by the reference's and
// the other's value; where both show the same text the bytes follow it.
// Prints the text form when printed and the output is not JSON, and puts
// "differences" into the JSON result.
void ListDifferences(CliContext& context, std::span<const SettingDifference> differences,
                     bool printed);

} // namespace zeb40::cli
