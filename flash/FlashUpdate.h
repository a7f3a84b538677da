#pragma once
// Replacing the unit's firmware from a flash update package: mode switch,
// logic and chip tests, erase, programming, read-back and restart. Reaches the
// operator only through Operator (messages, file choice, progress, pumping).

#include "flash/PackageIndex.h"
#include "link/UnitLink.h"
#include "shell/startup/Operator.h"

#include <string>

namespace zeb40 {

enum class FlashOutcome {
    NoPort,        // port name empty or port not openable: Connect box cleared
    Cancelled,     // file dialog cancelled or package not openable: port stays open
    Aborted,       // a numbered error ended the update: port stays open
    RestartFailed, // error (42): port closed, Connect box cleared, no success message
    Completed,     // port closed, Connect box cleared, success message shown
};

// Whether the main window clears its Connect box after the update.
inline bool ClearsConnectBox(FlashOutcome outcome) {
    return outcome == FlashOutcome::NoPort || outcome == FlashOutcome::RestartFailed ||
           outcome == FlashOutcome::Completed;
}

// The whole File > Flash Update command except disabling the main window.
FlashOutcome FlashUpdate(UnitLink& link, const std::string& portName, PackageIndex& index,
                         Operator& op);

} // namespace zeb40
