#include "cli/RunCli.h"

#include "cli/Commands.h"
#include "cli/HelpText.h"
#include "cli/HostSystem.h"
#include "resources/Strings.h"

#include <cstdlib>
#include <iostream>
#include <map>

namespace zeb40::cli {
namespace {

using CommandFunction = ExitCode (*)(CliContext&);

const std::map<std::string, CommandFunction>& Dispatch() {
    static const std::map<std::string, CommandFunction> table{
        {"ports", RunPorts},
        {"info", RunInfo},
        {"read", RunRead},
        {"show", RunShow},
        {"new", RunNew},
        {"apply", RunApply},
        {"get", RunGet},
        {"set", RunSet},
        {"settings", RunSettings},
        {"monitor", RunMonitor},
        {"generator-set", RunGeneratorSet},
        {"jam", RunJam},
        {"position", RunPosition},
        {"usercode", RunUserCode},
        {"profile", RunProfile},
        {"clock", RunClock},
        {"reorganize", RunReorganize},
        {"flash", RunFlash},
    };
    return table;
}

} // namespace

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           const CliEnvironment& environment) {
    ParsedArguments parsed = ParseCliArguments(arguments);
    if (!parsed.invocation) {
        err << "zeb40ctl: " << parsed.error << std::endl;
        return ToInt(ExitCode::Usage);
    }
    const Invocation& invocation = *parsed.invocation;
    if (invocation.help) {
        const CommandSpec* command = FindCommand(invocation.command);
        out << (command ? CommandHelp(*command) : ToolHelp());
        return ToInt(ExitCode::Success);
    }
    if (invocation.version) {
        out << "zeb40ctl, " << strings::VersionLine << "\n";
        return ToInt(ExitCode::Success);
    }

    TerminalOperator op(environment.input, err,
                        {invocation.yes, invocation.quiet, environment.inputIsTerminal,
                         environment.errorIsTerminal},
                        invocation.json ? nullptr : &out);
    UnitLink serialLink;
    UnitLink& link = environment.link ? *environment.link : serialLink;
    CliContext context{invocation,
                       out,
                       op,
                       link,
                       environment.portSources,
                       environment.interrupted,
                       environment.serialPorts};
    context.result["command"] = invocation.command;
    ExitCode code = Dispatch().at(invocation.command)(context);
    link.CloseIfOpen();

    if (invocation.json) {
        context.result["ok"] = code == ExitCode::Success;
        context.result["exitCode"] = ToInt(code);
        out << (context.jsonLines ? JsonLine(context.result) : JsonDocument(context.result))
            << "\n";
    }
    out.flush();
    return ToInt(code);
}

CliEnvironment ProcessEnvironment(const std::atomic<bool>* interrupted) {
    CliEnvironment environment;
    environment.input = &std::cin;
    environment.inputIsTerminal = IsTerminal(StandardStream::Input);
    environment.errorIsTerminal = IsTerminal(StandardStream::Error);
    if (const char* variable = std::getenv("ZEB40_PORT"))
        environment.portSources.variable = variable;
    environment.portSources.storedPort = PortStoredByWindow;
    environment.interrupted = interrupted;
    return environment;
}

} // namespace zeb40::cli
