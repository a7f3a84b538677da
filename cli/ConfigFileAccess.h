#pragma once
// Configuration files for the commands: reading one with its failure
// reported, and writing one, asking before an existing file is replaced.

#include "cli/CliContext.h"
#include "config/ConfigItemTable.h"

#include <string>

namespace zeb40::cli {

// False (reported, "error" set) when the file cannot be used.
bool LoadConfigFile(CliContext& context, const std::string& path, ConfigState& config);

// Asks before replacing anything at the path, a link included (--yes answers
// OK); Declined when the answer was no, InvalidFile (reported) when what is
// there cannot be replaced.
ExitCode ConfirmReplace(CliContext& context, const std::string& path);
ExitCode SaveConfigFile(CliContext& context, const std::string& path, ConfigState& config);

// How many settings Apply writes from the table: the others hold a value that
// no control can show (a file's table may hold any bytes), which Apply skips.
std::size_t SettingsApplyWrites(const ConfigItemTable& table);
// "All settings applied", or how many were when Apply skipped some.
std::string AppliedStatement(const ConfigItemTable& table);

} // namespace zeb40::cli
