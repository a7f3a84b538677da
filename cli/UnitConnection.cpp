#include "cli/UnitConnection.h"

#include "link/PortAccess.h"
#include "link/PortNames.h"
#include "resources/Strings.h"

namespace zeb40::cli {
namespace {

std::string PortDescription(const std::string& name) {
    std::string path = DevicePathForName(name);
    if (path == name)
        return name;
    return name + " (" + path + ")";
}

} // namespace

ExitCode ConnectToUnit(CliContext& context) {
    std::string name = ResolvePortName(context.invocation.port, context.portSources);
    context.result["port"] = name;
    if (name.empty())
        return context.Fail(ExitCode::PortNotOpenable,
                            std::string(strings::SelectPortName) +
                                " (--port, ZEB40_PORT or the port of the zeb40 window)");
    UnitLink& link = context.link;
    link.CloseIfOpen();
    if (!link.OpenByName(name)) {
        return context.Fail(ExitCode::PortNotOpenable, std::string(strings::CantOpenPort) + " " +
                                                           PortDescription(name) + ": " +
                                                           OpenFailureReason(link));
    }
    if (!link.Probe()) {
        link.CloseIfOpen();
        return context.Fail(ExitCode::NoUnit,
                            std::string(strings::CantConnect) + ": " + PortDescription(name));
    }
    return ExitCode::Success;
}

ExitCode ClassifyFailure(UnitLink& link) {
    if (!link.IsOpen() || link.Lost())
        return ExitCode::CommunicationError;
    // Whatever was still in transit would spoil the presence check.
    link.Purge();
    return link.Probe() ? ExitCode::UnitRefused : ExitCode::CommunicationError;
}

ExitCode ClassifyReply(bool exchanged, ReplyCode code, ReplyCode wanted) {
    if (!exchanged)
        return ExitCode::CommunicationError;
    return code == wanted ? ExitCode::Success : ExitCode::UnitRefused;
}

} // namespace zeb40::cli
