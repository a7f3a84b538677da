#pragma once
// Every setting of a table as "show" and "read" print it: name, group, label
// and what the window shows, as text columns or as JSON.

#include "cli/CliContext.h"
#include "config/ConfigItemTable.h"

namespace zeb40::cli {

// Prints the text form unless the output is JSON, and puts "settings" into
// the JSON result.
void ListSettings(CliContext& context, const ConfigItemTable& table);

} // namespace zeb40::cli
