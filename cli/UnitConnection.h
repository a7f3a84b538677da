#pragma once
// Opening the unit for a command, as the main window's Connect does, and
// telling a refusal from a lost line after a core operation failed.

#include "cli/CliContext.h"

namespace zeb40::cli {

// Resolves the port, opens it and probes the unit. Reports and returns the
// failure (no port, port not openable, no unit); Success leaves it open.
ExitCode ConnectToUnit(CliContext& context);

// After a failed exchange: UnitRefused when the unit still answers the
// presence check, otherwise CommunicationError.
ExitCode ClassifyFailure(UnitLink& link);

// For the result of Query and friends: a failed exchange is a communication
// error, a reply other than the wanted code a refusal.
ExitCode ClassifyReply(bool exchanged, ReplyCode code, ReplyCode wanted);

} // namespace zeb40::cli
