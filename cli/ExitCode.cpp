#include "cli/ExitCode.h"

#include <array>

namespace zeb40::cli {

std::span<const ExitCodeDescription> ExitCodeDescriptions() {
    static constexpr std::array<ExitCodeDescription, 10> descriptions{{
        {ExitCode::Success, "success"},
        {ExitCode::Declined,
         "a question was declined, or asked without a terminal and without --yes"},
        {ExitCode::Usage, "usage error: unknown command or option, missing or invalid value"},
        {ExitCode::PortNotOpenable, "no port named, or the port cannot be opened"},
        {ExitCode::NoUnit, "no ZEB40 answers on the port"},
        {ExitCode::UnitRefused, "the unit refused the command"},
        {ExitCode::CommunicationError, "communication error (timeout, wrong echo, line lost)"},
        {ExitCode::InvalidFile, "the configuration file or flash package cannot be used"},
        {ExitCode::FlashVerifyError, "the programmed firmware did not read back correctly"},
        {ExitCode::Differ, "diff or verify: the settings differ"},
    }};
    return descriptions;
}

ExitCode ExitCodeFor(LinkResult exchange) {
    switch (exchange.Outcome()) {
    case LinkOutcome::Ok:
        return ExitCode::Success;
    case LinkOutcome::Refused:
        return ExitCode::UnitRefused;
    case LinkOutcome::Silent:
    case LinkOutcome::BadEcho:
    case LinkOutcome::Garbled:
    case LinkOutcome::Lost:
        break;
    }
    return ExitCode::CommunicationError;
}

} // namespace zeb40::cli
