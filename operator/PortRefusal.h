#pragma once
// The "Can't open port" message every command shows, with the system's reason
// beneath it.

#include "link/UnitLink.h"
#include "operator/Operator.h"

namespace zeb40 {

void ShowCantOpenPort(Operator& op, const UnitLink& link);

} // namespace zeb40
