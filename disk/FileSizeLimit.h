#pragma once
// A limit on the size of the files this process writes (ulimit -f) ends the
// process with a signal by default, leaving a save's scratch file behind and
// no message. Called once at start, it makes such a write fail like any other
// write error instead, so the save reports it and cleans up.

namespace zeb40 {

void TreatFileSizeLimitAsWriteError();

} // namespace zeb40
