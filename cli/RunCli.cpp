#include "cli/RunCli.h"

#include "cli/Commands.h"
#include "cli/HelpText.h"
#include "cli/HostSystem.h"
#include "cli/MultiUnitRun.h"
#include "cli/ReportingOperator.h"
#include "cli/UnitPorts.h"
#include "link/discovery/StoredPort.h"
#include "resources/Strings.h"

#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

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
        {"diff", RunDiff},
        {"verify", RunVerify},
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

// One unit, or none: the command as it always ran. In a child run for
// several units its progress and result also go to the report pipe, and
// Ctrl+C stops it before its next exchange instead of ending it at once.
int RunOnOneUnit(const Invocation& invocation, std::ostream& out, std::ostream& err,
                 const CliEnvironment& environment) {
    TerminalSettings settings{invocation.yes, invocation.quiet, environment.inputIsTerminal,
                              environment.errorIsTerminal};
    std::ostream* information = invocation.json ? nullptr : &out;
    std::optional<UnitReportWriter> report;
    std::unique_ptr<TerminalOperator> op;
    UnitLink serialLink;
    UnitLink& link = environment.link ? *environment.link : serialLink;
    if (invocation.reportFd) {
        report.emplace(*invocation.reportFd);
        op = std::make_unique<ReportingOperator>(environment.input, err, settings, information,
                                                 *report);
        if (environment.catchInterrupt)
            environment.catchInterrupt();
        link.StopWhen(environment.interrupted);
    } else {
        op = std::make_unique<TerminalOperator>(environment.input, err, settings, information);
    }
    CliContext context{invocation,
                       out,
                       *op,
                       link,
                       environment.portSources,
                       environment.interrupted,
                       environment.serialPorts};
    context.result["command"] = invocation.command;
    ExitCode code = Dispatch().at(invocation.command)(context);
    link.CloseIfOpen();

    if (invocation.json || report) {
        context.result["ok"] = code == ExitCode::Success;
        context.result["exitCode"] = ToInt(code);
        if (invocation.json)
            out << (context.jsonLines ? JsonLine(context.result) : JsonDocument(context.result))
                << "\n";
        if (report)
            report->Result(JsonLine(context.result));
    }
    out.flush();
    return ToInt(code);
}

bool GivesSeveralPorts(const Invocation& invocation) {
    const auto& given = invocation.portArguments;
    return given.size() > 1 || (given.size() == 1 && given.front().listFile);
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
    if (!GivesSeveralPorts(invocation))
        return RunOnOneUnit(invocation, out, err, environment);

    UnitPortList list = ListUnitPorts(invocation.portArguments);
    if (!list.error.empty()) {
        err << "zeb40ctl: " << list.error << std::endl;
        return ToInt(list.fileError ? ExitCode::InvalidFile : ExitCode::Usage);
    }
    if (list.ports.size() > 1 && TalksToUnit(invocation)) {
        if (environment.catchInterrupt)
            environment.catchInterrupt();
        return RunOnSeveralUnits(
            invocation, list.ports, out, err,
            {environment.program, environment.errorIsTerminal, environment.interrupted});
    }
    Invocation single = invocation;
    single.port = list.ports.front();
    return RunOnOneUnit(single, out, err, environment);
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
    environment.program = RunningProgramPath();
    return environment;
}

} // namespace zeb40::cli
