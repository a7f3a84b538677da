#pragma once

namespace zeb40 {

// Names the settings store after the program, whatever its file is called,
// so the window keeps its port where zeb40ctl reads it.
void UseProgramIdentity();

// Start-up: reads the command line and runs the main window, the user-code
// dialog or the unattended download. Returns the exit status.
int RunApplication(int argc, char** argv, const char* revision);

} // namespace zeb40
