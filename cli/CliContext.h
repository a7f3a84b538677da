#pragma once
// What every command of zeb40ctl works with: its invocation, the output, the
// terminal operator, the one link to the unit and the JSON result.

#include "cli/CliArguments.h"
#include "cli/ExitCode.h"
#include "cli/Json.h"
#include "cli/TerminalOperator.h"
#include "link/UnitLink.h"
#include "link/discovery/PortDiscovery.h"

#include <atomic>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

namespace zeb40::cli {

// Where the port comes from when --port is not given.
struct PortSources {
    std::optional<std::string> variable;     // $ZEB40_PORT
    std::function<std::string()> storedPort; // the windows' "Main"/"Port"
};

// --port, else a non-empty $ZEB40_PORT, else the stored port; may be empty.
std::string ResolvePortName(const std::optional<std::string>& option, const PortSources& sources);

struct CliContext {
    const Invocation& invocation;
    std::ostream& out;
    TerminalOperator& op;
    UnitLink& link;
    PortSources portSources;
    const std::atomic<bool>* interrupted = nullptr;
    PortSource serialPorts = SystemSerialPorts;
    Json result = Json::object();
    // The command streamed its --json output one object per line; the result
    // then follows as one more line instead of an indented document.
    bool jsonLines = false;

    bool JsonOutput() const { return invocation.json; }
    bool Interrupted() const { return interrupted && interrupted->load(); }
    // The error as one line on standard error and in the JSON result.
    ExitCode Fail(ExitCode code, const std::string& message);
};

} // namespace zeb40::cli
