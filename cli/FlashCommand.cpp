// flash: the whole firmware update from a package named on the command line.

#include "cli/Commands.h"
#include "flash/FlashUpdate.h"

namespace zeb40::cli {
namespace {

ExitCode ExitCodeForFlashError(int number) {
    if (number == 41)
        return ExitCode::FlashVerifyError;
    if (number == 29 || number == 30)
        return ExitCode::NoUnit;
    if (number == 11)
        return ExitCode::CommunicationError;
    if ((number >= 12 && number <= 28) || (number >= 35 && number <= 40))
        return ExitCode::InvalidFile;
    return ExitCode::UnitRefused; // 31 to 34 and 42: the unit's logic, flash or restart
}

} // namespace

ExitCode RunFlash(CliContext& context) {
    const Invocation& invocation = context.invocation;
    FlashOptions options;
    if (invocation.Has("--read-ahead")) {
        const std::string& text = invocation.options.at("--read-ahead");
        if (text.size() != 1 || text[0] < '1' || text[0] > '0' + MaxReadAhead)
            return context.Fail(ExitCode::Usage, "--read-ahead '" + text +
                                                     "': Please enter an integer between 1 "
                                                     "and " +
                                                     std::to_string(MaxReadAhead) + ".");
        options.readAhead = text[0] - '0';
    }
    const std::string& package = invocation.words[0];
    std::string port = ResolvePortName(invocation.port, context.portSources);
    context.result["port"] = port;
    context.result["package"] = package;

    PackageIndex index;
    const std::size_t messagesBefore = context.op.Messages().size();
    const FlashResult result =
        FlashUpdateFromFile(context.link, port, package, index, context.op, options);
    context.link.CloseIfOpen();
    const auto& messages = context.op.Messages();
    const std::string last = messages.size() > messagesBefore ? messages.back() : std::string();

    ExitCode code = ExitCode::Success;
    switch (result.outcome) {
    case FlashOutcome::Completed:
        return ExitCode::Success;
    case FlashOutcome::NoPort:
        code = ExitCode::PortNotOpenable;
        break;
    case FlashOutcome::Cancelled:
        code = ExitCode::InvalidFile;
        break;
    case FlashOutcome::Aborted:
    case FlashOutcome::RestartFailed: {
        const int number = result.error ? result.error->number : 0;
        context.result["flashError"] = number;
        code = ExitCodeForFlashError(number);
        break;
    }
    }
    context.result["error"] = last;
    return code;
}

} // namespace zeb40::cli
