#pragma once

#include <QIcon>

namespace zeb40 {

// The program's icon for its windows, in 16, 32 and 48 pixels.
QIcon ProgramIcon();

} // namespace zeb40
