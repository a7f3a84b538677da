#include "cli/MultiUnitRun.h"

#include "cli/CommandTable.h"
#include "cli/ExitCode.h"
#include "cli/Json.h"
#include "cli/SeveralUnitsDisplay.h"
#include "cli/UnitOutcome.h"
#include "cli/UnitPorts.h"
#include "cli/UnitProcess.h"
#include "cli/UnitReport.h"

#include <map>
#include <memory>
#include <optional>
#include <ostream>

namespace zeb40::cli {
namespace {

constexpr std::string_view ToolPrefix = "zeb40ctl: ";

// A unit first tells its identifier and version (for the summary and for
// "{id}"), then runs the command; after a flash it tells its new version.
enum class Phase { Identifying, Identified, Running, Reidentifying, Done };

// Only built before the run starts, where running out of memory may end it.
// NOLINTNEXTLINE(bugprone-exception-escape)
struct Unit {
    Phase phase = Phase::Identifying;
    std::unique_ptr<UnitProcess> process;
    UnitReportReader report;
    std::optional<UnitReportReader::Progress> progress;
    std::string file; // the -o name of this unit
    Json identity;    // the result of "info"
    int identityCode = 0;
    UnitOutcome outcome;
};

std::string WithoutToolPrefix(const std::string& line) {
    return line.starts_with(ToolPrefix) ? line.substr(ToolPrefix.size()) : line;
}

// An empty object when the child left no readable result.
Json ParsedResult(const std::string& text) {
    Json result = Json::parse(text, nullptr, false);
    return result.is_object() ? result : Json::object();
}

std::string Text(const Json& object, const char* key) {
    auto found = object.find(key);
    return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

class MultiUnitRun {
  public:
    MultiUnitRun(const Invocation& invocation, const std::vector<std::string>& ports,
                 std::ostream& out, std::ostream& err, const MultiUnitEnvironment& environment)
        : invocation_(invocation), environment_(environment), units_(ports.size()),
          display_(out, err, ports.size(),
                   {environment.errorIsTerminal && !invocation.quiet, invocation.json,
                    invocation.quiet}) {
        for (std::size_t i = 0; i < ports.size(); ++i)
            units_[i].outcome.port = ports[i];
        if (invocation.command == "read" && invocation.Has("--output"))
            pattern_ = invocation.options.at("--output");
        // The summary shows every unit's identifier and version; "info" tells
        // them itself, and with --json there is no summary.
        identify_ = NeedsIdentifier(pattern_) || (!invocation.json && invocation.command != "info");
    }

    int Run() {
        for (auto& unit : units_) {
            if (identify_)
                StartIdentify(unit);
            else
                StartCommand(unit);
        }
        while (Busy()) {
            if (!stopping_ && environment_.interrupted && environment_.interrupted->load())
                Stop();
            PollOnce();
            StartWaitingCommands();
            DrawBoard(false);
        }
        DrawBoard(true);
        return Finish();
    }

  private:
    bool Busy() const {
        for (const auto& unit : units_) {
            if (unit.phase != Phase::Done)
                return true;
        }
        return false;
    }

    // A child that cannot be started fails its unit.
    void Start(Unit& unit, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "--report-fd=" + std::to_string(UnitProcess::ReportFd));
        unit.process = std::make_unique<UnitProcess>();
        unit.report = {};
        if (unit.process->Start(environment_.program, arguments))
            return;
        std::string reason = unit.process->StartError();
        unit.process.reset();
        Fail(unit, ExitCode::CommunicationError, "cannot start zeb40ctl: " + reason);
    }

    void StartIdentify(Unit& unit) {
        Start(unit, {"--port", unit.outcome.port, "--quiet", "info"});
    }

    void StartCommand(Unit& unit) {
        if (!pattern_.empty())
            unit.file = UnitFileName(pattern_, unit.outcome.port, unit.outcome.identifier);
        unit.phase = Phase::Running;
        Start(unit, ChildArguments(invocation_, unit.outcome.port, unit.file));
    }

    void Fail(Unit& unit, ExitCode code, const std::string& message) {
        unit.phase = Phase::Done;
        unit.outcome.exitCode = ToInt(code);
        unit.outcome.message = message;
        unit.outcome.result = Json::object();
        unit.outcome.result["command"] = invocation_.command;
        unit.outcome.result["port"] = unit.outcome.port;
        unit.outcome.result["ok"] = false;
        unit.outcome.result["exitCode"] = ToInt(code);
        unit.outcome.result["error"] = message;
    }

    // Ctrl+C: every child stops before its next exchange; no command starts.
    void Stop() {
        stopping_ = true;
        for (auto& unit : units_) {
            if (unit.phase == Phase::Done || unit.phase == Phase::Reidentifying)
                continue;
            unit.outcome.stopped = true;
            if (unit.process)
                unit.process->Interrupt();
            else
                Fail(unit, ExitCode::CommunicationError, "stopped before the command began");
        }
    }

    void PollOnce() {
        std::vector<UnitProcess*> running;
        for (auto& unit : units_) {
            if (unit.process)
                running.push_back(unit.process.get());
        }
        UnitProcess::ReadArrivals(running, 100);
        for (auto& unit : units_) {
            if (!unit.process)
                continue;
            TakeOutput(unit);
            if (unit.process->PipesClosed())
                Finished(unit, unit.process->Wait());
        }
    }

    void TakeOutput(Unit& unit) {
        const bool commandRun = unit.phase == Phase::Running;
        for (auto& line : unit.process->TakeLines(UnitProcess::Report)) {
            auto progress = unit.report.Feed(line);
            if (progress && commandRun) {
                unit.progress = progress;
                display_.Progress(IndexOf(unit), unit.outcome.port, *progress);
            }
        }
        auto output = unit.process->TakeLines(UnitProcess::Output);
        auto errors = unit.process->TakeLines(UnitProcess::Error);
        if (!commandRun)
            return; // what the identification says is in its result
        for (auto& line : output) {
            unit.outcome.outputLines.push_back(line);
            display_.OutputLine(unit.outcome.port, line);
        }
        for (auto& line : errors) {
            unit.outcome.errorLines.push_back(WithoutToolPrefix(line));
            display_.ErrorLine(unit.outcome.port, unit.outcome.errorLines.back());
        }
    }

    std::size_t IndexOf(const Unit& unit) const {
        return static_cast<std::size_t>(&unit - units_.data());
    }

    void Finished(Unit& unit, int status) {
        unit.process.reset();
        Json result = ParsedResult(unit.report.Result());
        switch (unit.phase) {
        case Phase::Identifying:
            unit.identity = result;
            unit.identityCode = status;
            TakeIdentity(unit, result);
            unit.phase = Phase::Identified;
            if (stopping_)
                Fail(unit, ExitCode::CommunicationError, "stopped before the command began");
            return;
        case Phase::Running:
            CommandFinished(unit, status, result);
            return;
        case Phase::Reidentifying:
            TakeIdentity(unit, result);
            unit.phase = Phase::Done;
            return;
        case Phase::Identified:
        case Phase::Done:
            return;
        }
    }

    void TakeIdentity(Unit& unit, const Json& result) {
        if (result.value("ok", false)) {
            unit.outcome.identifier = Text(result, "identifier");
            unit.outcome.version = Text(result, "version");
        }
    }

    void CommandFinished(Unit& unit, int status, const Json& result) {
        UnitOutcome& outcome = unit.outcome;
        if (result.empty()) {
            bool signalled = status > 128;
            Fail(unit, ExitCode::CommunicationError,
                 signalled ? "ended by signal " + std::to_string(status - 128)
                           : "ended without a result (status " + std::to_string(status) + ")");
            return;
        }
        outcome.result = result;
        outcome.exitCode = IsExitCode(status) ? status : ToInt(ExitCode::CommunicationError);
        if (invocation_.command == "info")
            TakeIdentity(unit, result);
        if (outcome.exitCode != 0)
            outcome.message = Text(result, "error");
        else if (outcome.outputLines.size() == 1)
            outcome.message = outcome.outputLines.front();
        unit.phase = Phase::Done;
        if (outcome.exitCode == 0 && identify_ && invocation_.command == "flash" && !stopping_) {
            // The flash went well whether or not the new version can be read.
            UnitOutcome flashed = outcome;
            unit.phase = Phase::Reidentifying;
            StartIdentify(unit);
            if (unit.phase == Phase::Done)
                outcome = flashed;
        }
    }

    // A unit runs its command once it is identified; with "{id}" in the file
    // name only when every unit is, so that two units never share a file.
    void StartWaitingCommands() {
        bool anyIdentifying = false;
        for (const auto& unit : units_)
            anyIdentifying = anyIdentifying || unit.phase == Phase::Identifying;
        const bool byIdentifier = NeedsIdentifier(pattern_);
        if (byIdentifier && anyIdentifying)
            return;
        if (byIdentifier)
            RefuseUnnamedUnits();
        for (auto& unit : units_) {
            if (unit.phase == Phase::Identified)
                StartCommand(unit);
        }
    }

    void RefuseUnnamedUnits() {
        std::map<std::string, std::vector<Unit*>> byName;
        for (auto& unit : units_) {
            if (unit.phase != Phase::Identified)
                continue;
            if (unit.identityCode != 0) {
                bool documented = IsExitCode(unit.identityCode);
                std::string error = Text(unit.identity, "error");
                Fail(unit,
                     documented ? static_cast<ExitCode>(unit.identityCode)
                                : ExitCode::CommunicationError,
                     error.empty() ? "the unit did not tell its identifier" : error);
                continue;
            }
            if (unit.outcome.identifier.empty()) {
                Fail(unit, ExitCode::InvalidFile, "the unit has no identifier for {id}");
                continue;
            }
            byName[UnitFileName(pattern_, unit.outcome.port, unit.outcome.identifier)].push_back(
                &unit);
        }
        for (auto& [name, sharing] : byName) {
            if (sharing.size() < 2)
                continue;
            for (Unit* unit : sharing)
                Fail(*unit, ExitCode::InvalidFile, name + " would be the file of several units");
        }
    }

    void DrawBoard(bool force) {
        std::vector<UnitStage> stages;
        for (const auto& unit : units_)
            stages.push_back({StepOf(unit.phase), unit.progress});
        display_.Draw(stages, Outcomes(), force);
    }

    static UnitStage::Step StepOf(Phase phase) {
        switch (phase) {
        case Phase::Identifying:
        case Phase::Identified:
            return UnitStage::Step::Connecting;
        case Phase::Running:
            return UnitStage::Step::Running;
        case Phase::Reidentifying:
            return UnitStage::Step::Reidentifying;
        case Phase::Done:
            break;
        }
        return UnitStage::Step::Done;
    }

    std::vector<UnitOutcome> Outcomes() const {
        std::vector<UnitOutcome> outcomes;
        for (const auto& unit : units_)
            outcomes.push_back(unit.outcome);
        return outcomes;
    }

    int Finish() {
        const std::vector<UnitOutcome> outcomes = Outcomes();
        display_.Finish(invocation_.command, outcomes);
        return MostSevereExitCode(outcomes);
    }

    const Invocation& invocation_;
    const MultiUnitEnvironment& environment_;
    std::vector<Unit> units_;
    SeveralUnitsDisplay display_;
    std::string pattern_;
    bool identify_ = false;
    bool stopping_ = false;
};

} // namespace

std::vector<std::string> ChildArguments(const Invocation& invocation, const std::string& port,
                                        const std::string& file) {
    std::vector<std::string> arguments{"--port", port};
    if (invocation.json)
        arguments.push_back("--json");
    if (invocation.yes)
        arguments.push_back("--yes");
    if (invocation.quiet)
        arguments.push_back("--quiet");
    arguments.push_back(invocation.command);
    const CommandSpec* command = FindCommand(invocation.command);
    for (const auto& [name, value] : invocation.options) {
        const OptionSpec* option = command ? FindOption(command->options, name) : nullptr;
        if (!option || option->valueName.empty())
            arguments.push_back(name);
        else
            arguments.push_back(name + "=" + (name == "--output" && !file.empty() ? file : value));
    }
    arguments.push_back("--");
    arguments.insert(arguments.end(), invocation.words.begin(), invocation.words.end());
    return arguments;
}

int RunOnSeveralUnits(const Invocation& invocation, const std::vector<std::string>& ports,
                      std::ostream& out, std::ostream& err,
                      const MultiUnitEnvironment& environment) {
    if (invocation.command == "monitor") {
        err << "zeb40ctl: monitor runs on one port at a time" << std::endl;
        return ToInt(ExitCode::Usage);
    }
    if (invocation.command == "read" && invocation.Has("--output") &&
        !NamesEachUnit(invocation.options.at("--output"))) {
        err << "zeb40ctl: with several ports, -o needs {port} or {id} in the file name, so "
               "that each unit gets a file of its own"
            << std::endl;
        return ToInt(ExitCode::Usage);
    }
    return MultiUnitRun(invocation, ports, out, err, environment).Run();
}

} // namespace zeb40::cli
