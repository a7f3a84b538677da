#include "link/LinkResult.h"

namespace zeb40 {

const char* LinkOutcomeName(LinkOutcome outcome) {
    switch (outcome) {
    case LinkOutcome::Ok:
        return "Ok";
    case LinkOutcome::Refused:
        return "Refused";
    case LinkOutcome::Silent:
        return "Silent";
    case LinkOutcome::BadEcho:
        return "BadEcho";
    case LinkOutcome::Garbled:
        return "Garbled";
    case LinkOutcome::Lost:
        return "Lost";
    }
    return "?";
}

} // namespace zeb40
