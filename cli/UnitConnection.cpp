#include "cli/UnitConnection.h"

#include "config/ConfigEditor.h"
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

ExitCode FailExchange(CliContext& context, LinkResult failed, const std::string& refusedWhat) {
    const ExitCode code = ExitCodeFor(failed);
    return context.Fail(code, code == ExitCode::UnitRefused ? "the unit refused " + refusedWhat
                                                            : strings::CommunicationError);
}

ExitCode FailDeclinedReorganization(CliContext& context) {
    return context.Fail(ExitCode::Declined,
                        "not written: the unit's config memory is full and was not reorganized");
}

ExitCode FailWrite(CliContext& context, LinkResult failed, const std::string& refusedWhat) {
    if (context.op.Declined())
        return FailDeclinedReorganization(context);
    return FailExchange(context, failed, refusedWhat);
}

ExitCode ReadUnitItems(CliContext& context, ConfigItemTable& table,
                       std::initializer_list<int> items, const std::string& refusedWhat) {
    if (LinkResult read = ReadItemsFromUnit(context.link, table, items); !read)
        return FailExchange(context, read, refusedWhat);
    return ExitCode::Success;
}

} // namespace zeb40::cli
