#pragma once
// Configuration files for the commands: reading one with its failure
// reported, and writing one, asking before an existing file is replaced.

#include "cli/CliContext.h"
#include "config/ConfigItemTable.h"

#include <string>

namespace zeb40::cli {

// False (reported, "error" set) when the file cannot be used.
bool LoadConfigFile(CliContext& context, const std::string& path, ConfigState& config);

// Asks before replacing an existing file (--yes answers OK); Declined when
// the answer was no, InvalidFile when the file cannot be written.
ExitCode ConfirmReplace(CliContext& context, const std::string& path);
ExitCode SaveConfigFile(CliContext& context, const std::string& path, ConfigState& config);

} // namespace zeb40::cli
