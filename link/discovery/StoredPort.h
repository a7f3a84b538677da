#pragma once
// The port the zeb40 window stored last in its settings store, for the
// programs without a window: Qt's settings store on Linux, the registry key
// that store uses on Windows.

#include <string>

namespace zeb40 {

// "" when the window never stored one; read only.
std::string PortStoredByWindow();

} // namespace zeb40
