#include "cli/CliContext.h"

namespace zeb40::cli {

std::string ResolvePortName(const std::optional<std::string>& option, const PortSources& sources) {
    if (option)
        return *option;
    if (sources.variable && !sources.variable->empty())
        return *sources.variable;
    if (sources.storedPort)
        return sources.storedPort();
    return {};
}

ExitCode CliContext::Fail(ExitCode code, const std::string& message) {
    op.Error(message);
    result["error"] = OneLine(message);
    return code;
}

} // namespace zeb40::cli
