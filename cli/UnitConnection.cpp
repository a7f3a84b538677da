#include "cli/UnitConnection.h"

#include "link/PortNames.h"
#include "resources/Strings.h"
#include "services/UnitConnection.h"

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
    switch (OpenUnit(context.link, name, context.op)) {
    case UnitAccess::Ready:
        break;
    case UnitAccess::NoPortName:
        return context.Fail(ExitCode::PortNotOpenable,
                            std::string(strings::SelectPortName) +
                                " (--port, ZEB40_PORT or the port of the zeb40 window)");
    case UnitAccess::CantOpen:
        return context.Fail(ExitCode::PortNotOpenable, std::string(strings::CantOpenPort) + " " +
                                                           PortDescription(name) + ": " +
                                                           context.link.OpenFailureReason());
    case UnitAccess::NoUnit:
        return context.Fail(ExitCode::NoUnit,
                            std::string(strings::CantConnect) + ": " + PortDescription(name));
    }
    return ExitCode::Success;
}

ExitCode ClassifyFailure(UnitLink& link) {
    return UnitStillAnswers(link) ? ExitCode::UnitRefused : ExitCode::CommunicationError;
}

ExitCode ClassifyReply(bool exchanged, ReplyCode code, ReplyCode wanted) {
    if (!exchanged)
        return ExitCode::CommunicationError;
    return code == wanted ? ExitCode::Success : ExitCode::UnitRefused;
}

} // namespace zeb40::cli
