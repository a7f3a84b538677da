#pragma once
// The exit status of zeb40ctl: one distinct number per kind of failure, so
// that scripts can tell a missing unit from a bad file.

#include "link/LinkResult.h"

#include <span>
#include <string_view>

namespace zeb40::cli {

enum class ExitCode {
    Success = 0,
    Declined = 1,           // a question was declined, or could not be asked
    Usage = 2,              // bad command line or value
    PortNotOpenable = 3,    // no port named, or the port cannot be opened
    NoUnit = 4,             // nothing answers the presence check
    UnitRefused = 5,        // the unit answered, but refused the command
    CommunicationError = 6, // an exchange failed: timeout, wrong echo, lost line
    InvalidFile = 7,        // a configuration file or package cannot be used
    FlashVerifyError = 8,   // the programmed firmware did not read back
    Differ = 9,             // diff or verify found settings that differ
};

struct ExitCodeDescription {
    ExitCode code;
    std::string_view meaning;
};

// Every code with its meaning, for --help and the manual.
std::span<const ExitCodeDescription> ExitCodeDescriptions();

// What a command ends with when an exchange with the unit went as given:
// Success for Ok, UnitRefused for a refusal, CommunicationError for a silent,
// garbled, wrongly echoed or lost line.
ExitCode ExitCodeFor(LinkResult exchange);

inline int ToInt(ExitCode code) {
    return static_cast<int>(code);
}

// Whether a child run's status is one of the codes above.
inline bool IsExitCode(int status) {
    return status >= 0 && status <= ToInt(ExitCode::Differ);
}

} // namespace zeb40::cli
