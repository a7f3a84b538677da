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
    Aborted,       // a numbered error ended the update: port stays open (a package
                   // named beforehand that fails its check: port never opened)
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

// The most "9" requests the unit is known to take ahead of its replies.
inline constexpr int MaxReadAhead = 4;

struct FlashOptions {
    // "9" requests kept outstanding through the read-back, 1 to MaxReadAhead;
    // 1 is the stop-and-wait read-back of the window's Flash Update.
    int readAhead = 1;
};

// The whole File > Flash Update command except disabling the main window.
// The package is read once, then checked, programmed and verified from memory.
FlashResult FlashUpdate(UnitLink& link, const std::string& portName, PackageIndex& index,
                        Operator& op);

// The same for a package named beforehand, as on the command line: it is read
// and checked before the port is opened, so a package that cannot be used
// never touches the port or the unit.
FlashResult FlashUpdateFromFile(UnitLink& link, const std::string& portName,
                                const std::string& packagePath, PackageIndex& index, Operator& op,
                                FlashOptions options = {});

} // namespace zeb40
