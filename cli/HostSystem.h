#pragma once
// What zeb40ctl asks of the system it runs on; one implementation per system.

#include <string>

namespace zeb40::cli {

enum class StandardStream { Input, Error };

bool IsTerminal(StandardStream stream);

// handler runs on the first Ctrl+C or request to terminate; a second one ends
// the program as usual.
void CatchFirstStopRequest(void (*handler)(int));

// The port the zeb40 window stored last ("" when none), read only.
std::string PortStoredByWindow();

// This program's own file, so that it can start copies of itself.
std::string RunningProgramPath();

} // namespace zeb40::cli
