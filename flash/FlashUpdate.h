#pragma once
// Replacing the unit's firmware from a flash update package: mode switch,
// logic and chip tests, erase, programming, read-back and restart. Reaches the
// operator only through Operator (messages, file choice, progress, pumping).

#include "flash/FlashError.h"
#include "flash/PackageIndex.h"
#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <string>

namespace zeb40 {

enum class FlashOutcome {
    NoPort,        // port name empty or port not openable: Connect box cleared
    Cancelled,     // file dialog cancelled, or package not openable or far too large:
                   // port stays open
    Aborted,       // a numbered error ended the update: port stays open
    RestartFailed, // error (42): port closed, Connect box cleared, no success message
    Completed,     // port closed, Connect box cleared, success message shown
};

struct FlashResult {
    FlashOutcome outcome = FlashOutcome::NoPort;
    FlashCheck error; // the numbered error of Aborted and RestartFailed
};

// Whether the main window clears its Connect box after the update.
inline bool ClearsConnectBox(FlashOutcome outcome) {
    return outcome == FlashOutcome::NoPort || outcome == FlashOutcome::RestartFailed ||
           outcome == FlashOutcome::Completed;
}

// The whole File > Flash Update command except disabling the main window.
// The package is read once, then checked, programmed and verified from memory.
FlashResult FlashUpdate(UnitLink& link, const std::string& portName, PackageIndex& index,
                        Operator& op);

} // namespace zeb40
