#pragma once
// The texts of "zeb40ctl --help" and "zeb40ctl COMMAND --help".

#include "cli/CommandTable.h"

#include <string>

namespace zeb40::cli {

std::string ToolHelp();
std::string CommandHelp(const CommandSpec& command);

} // namespace zeb40::cli
