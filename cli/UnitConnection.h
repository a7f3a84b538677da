#pragma once
// Opening the unit for a command, as the main window's Connect does, and how
// a failed exchange with it ends the command: the one place where the exit
// status and the message of such a failure are decided.

#include "cli/CliContext.h"
#include "config/ConfigItemTable.h"

#include <initializer_list>
#include <string>

namespace zeb40::cli {

// Resolves the port, opens it and probes the unit. Reports and returns the
// failure (no port, port not openable, no unit); Success leaves it open.
ExitCode ConnectToUnit(CliContext& context);

// Reports a failed exchange and returns its exit status: "the unit refused "
// followed by refusedWhat ("the jam", "to report its settings") for a
// refusal, "Communication error" for every other failure.
ExitCode FailExchange(CliContext& context, LinkResult failed, const std::string& refusedWhat);

// A write the unit refused for a full memory, whose reorganisation the
// operator declined (or could not be asked about): Declined.
ExitCode FailDeclinedReorganization(CliContext& context);

// A failed write: Declined as above when the operator declined the
// reorganisation of a full memory, otherwise as FailExchange.
ExitCode FailWrite(CliContext& context, LinkResult failed, const std::string& refusedWhat);

// Reads the items the command needs from the unit into the table; a failure
// is reported as FailExchange does, with "to report its settings".
ExitCode ReadUnitItems(CliContext& context, ConfigItemTable& table,
                       std::initializer_list<int> items,
                       const std::string& refusedWhat = "to report its settings");

} // namespace zeb40::cli
