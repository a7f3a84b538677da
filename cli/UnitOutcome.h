#pragma once
// How a command went on one of several units, and how the results of all of
// them are shown: a summary table, or one JSON document.

#include "cli/Json.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zeb40::cli {

// The check sees the JSON member's allocating constructor in the implicit
// special members; a failed allocation ends the program anyway.
struct UnitOutcome { // NOLINT(bugprone-exception-escape)
    std::string port;
    std::string identifier; // "0000002A", or empty when unknown
    std::string version;    // "3.46", or empty when unknown
    int exitCode = 0;
    std::string message;  // the error, or the one line the command printed
    bool stopped = false; // ended by Ctrl+C
    Json result;          // the unit's own JSON result
    std::vector<std::string> outputLines;
    std::vector<std::string> errorLines;
};

// The most severe status of all units: the highest number, since the numbers
// rise with how far the work got on a unit (3 port, 4 no unit, 5 refused,
// 6 line lost, 7 file or package, 8 verify), above 1 (declined) and 2
// (usage). 9 (settings differ) only when no unit failed otherwise: a unit that
// could not be compared matters more. 0 when every unit succeeded.
int MostSevereExitCode(const std::vector<UnitOutcome>& outcomes);

// "PORT  UNIT  VERSION  RESULT  MESSAGE" rows in the order of the ports, then
// how many failed.
void PrintSummary(std::ostream& out, const std::vector<UnitOutcome>& outcomes);

// {"command", "ok", "exitCode", "failed", "units": [each unit's result]}.
std::string ResultsDocument(const std::string& command, const std::vector<UnitOutcome>& outcomes);

} // namespace zeb40::cli
