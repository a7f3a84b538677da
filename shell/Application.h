#pragma once

namespace zeb40 {

// Start-up: reads the command line and runs the main window, the user-code
// dialog or the unattended download. Returns the exit status.
int RunApplication(int argc, char** argv, const char* revision);

} // namespace zeb40
