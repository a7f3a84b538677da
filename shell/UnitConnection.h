#pragma once
// The Connect check box's work without the window: open the named port, probe
// the unit and read what it reports about itself. Each failure shows exactly
// one message through the operator.

#include "link/UnitLink.h"
#include "shell/startup/Operator.h"

#include <string>

namespace zeb40 {

enum class ConnectOutcome {
    Connected,          // the port is open and the info texts are filled
    Refused,            // "Please select a port name", "Can't open port" or
                        // "Can't connect to ZEB40..."; the link is closed
                        // unless the port name was empty
    CommunicationError, // a later exchange failed; the port stays open
};

struct UnitInfo {
    std::string version;
    std::string config;
    std::string options;
};

struct ConnectResult {
    ConnectOutcome outcome = ConnectOutcome::Refused;
    UnitInfo info; // only with Connected
};

ConnectResult ConnectToUnit(UnitLink& link, const std::string& portName, Operator& op);

} // namespace zeb40
