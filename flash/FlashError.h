#pragma once
// A numbered error of the flash update and the one way it reaches the
// operator: string 124 with the detail on its second line.

#include "operator/Operator.h"

#include <optional>
#include <string>

namespace zeb40 {

struct FlashError {
    int number = 0;
    std::string detail; // "Flash erase failed (34)"
};

// Empty when a check passed.
using FlashCheck = std::optional<FlashError>;

// The detail with "%s" replaced by argument, cut to the 79 characters the
// message has room for.
FlashError MakeFlashError(int number, const std::string& format, const std::string& argument = {});

// Shows "Error while updating Flash ROM.  Please try again.\n" and the detail
// in the application's message box; returns when the operator closed it.
void ReportFlashError(Operator& op, const FlashError& error);

} // namespace zeb40
