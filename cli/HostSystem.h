#pragma once
// What zeb40ctl asks of the system it runs on; one implementation per system.

#include <string>
#include <string_view>

namespace zeb40::cli {

enum class StandardStream { Input, Error };

bool IsTerminal(StandardStream stream);

// handler runs on the first Ctrl+C or request to terminate; a second one ends
// the program as usual.
void CatchFirstStopRequest(void (*handler)(int));

// Writes the whole text to a descriptor the parent run handed over; stops at
// the first failure (the parent is gone).
void WriteToDescriptor(int descriptor, std::string_view text);

// This program's own file, so that it can start copies of itself.
std::string RunningProgramPath();

} // namespace zeb40::cli
