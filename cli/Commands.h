#pragma once
// The commands of zeb40ctl, one function each, grouped in files by what they
// reach: the unit's identity, its settings, its timecode, its functions, its
// firmware. Each reports its own failure and returns the exit code.

#include "cli/CliContext.h"

#include <string>

namespace zeb40::cli {

ExitCode RunPorts(CliContext& context);
ExitCode RunInfo(CliContext& context);

ExitCode RunRead(CliContext& context);
ExitCode RunShow(CliContext& context);
ExitCode RunNew(CliContext& context);
ExitCode RunApply(CliContext& context);
ExitCode RunApplyChanged(CliContext& context);
ExitCode RunDiff(CliContext& context);
ExitCode RunVerify(CliContext& context);
ExitCode RunGet(CliContext& context);
ExitCode RunSet(CliContext& context);
ExitCode RunSettings(CliContext& context);

ExitCode RunMonitor(CliContext& context);
ExitCode RunGeneratorSet(CliContext& context);
ExitCode RunJam(CliContext& context);
ExitCode RunPosition(CliContext& context);
// The presets "position" takes, separated by blanks.
std::string PositionPresetNames();

ExitCode RunUserCode(CliContext& context);
ExitCode RunProfile(CliContext& context);
ExitCode RunClock(CliContext& context);
ExitCode RunReorganize(CliContext& context);

ExitCode RunFlash(CliContext& context);

} // namespace zeb40::cli
