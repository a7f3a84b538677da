#pragma once
// Reaching the unit, as every command that talks to it starts: open the named
// port, run the presence check, read what the unit reports about itself. The
// outcomes are values; ShowAccessFailure and ConnectToUnit give the windows'
// messages.

#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <cstdint>
#include <string>

namespace zeb40 {

enum class UnitAccess {
    Ready,      // the port is open (and the unit answered, where asked)
    NoPortName, // nothing was opened or closed
    CantOpen,   // the link is closed; OpenFailureReason tells why
    NoUnit,     // nothing answered the presence check; the link is closed
};

// Closes the link and opens the named port.
UnitAccess OpenPort(UnitLink& link, const std::string& portName);
// OpenPort, then the presence check under the wait cursor.
UnitAccess OpenUnit(UnitLink& link, const std::string& portName, Operator& op);

// "Please select a port name", "Can't open port" with the system's reason,
// or "Can't connect to ZEB40..."; nothing for Ready.
void ShowAccessFailure(Operator& op, const UnitLink& link, UnitAccess access);

struct UnitIdentity {
    std::uint32_t identifier = 0; // 0xFFFFFFFF: the unit has none
    std::uint32_t firstOptionWord = 0;
    std::uint32_t secondOptionWord = 0;
    std::uint16_t version = 0;
};

enum class IdentityRead {
    Read,
    NoIdentifier,        // a unit that cannot tell its identifier counts as absent
    LaterExchangeFailed, // an option word or the version did not come
};

struct IdentityReadResult {
    IdentityRead read = IdentityRead::Read;
    LinkResult failure; // the exchange that failed; Ok with Read
};

// 'e' 98h, 97h, 96h and 99h, each wanting a value; the link is left as it is.
IdentityReadResult ReadUnitIdentity(UnitLink& link, UnitIdentity& identity);

// The main window's Info texts.
struct UnitInfo {
    std::string version;
    std::string config;
    std::string options;
};
UnitInfo InfoOf(const UnitIdentity& identity);

enum class ConnectOutcome {
    Connected,          // the port is open and the info texts are filled
    Refused,            // "Please select a port name", "Can't open port" or
                        // "Can't connect to ZEB40..."; the link is closed
                        // unless the port name was empty
    CommunicationError, // a later exchange failed; the port stays open
};

struct ConnectResult {
    ConnectOutcome outcome = ConnectOutcome::Refused;
    UnitInfo info;      // only with Connected
    LinkResult failure; // with CommunicationError: the exchange that failed
};

// The Connect check box's work; each failure shows exactly one message.
ConnectResult ConnectToUnit(UnitLink& link, const std::string& portName, Operator& op);

} // namespace zeb40
