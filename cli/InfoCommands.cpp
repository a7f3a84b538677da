// info: what the unit says about itself, as the main window shows it.

#include "cli/Commands.h"
#include "cli/OptionLines.h"
#include "cli/UnitConnection.h"
#include "resources/Strings.h"
#include "services/UnitConnection.h"

#include <cstdio>
#include <ostream>

namespace zeb40::cli {
namespace {

std::string Hex8(std::uint32_t value) {
    char text[16];
    (void)std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(value));
    return text;
}

} // namespace

ExitCode RunInfo(CliContext& context) {
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    UnitIdentity identity;
    const IdentityReadResult read = ReadUnitIdentity(context.link, identity);
    context.link.CloseIfOpen();
    if (read.read == IdentityRead::NoIdentifier)
        return context.Fail(ExitCode::NoUnit, strings::CantConnect);
    if (read.read == IdentityRead::LaterExchangeFailed)
        return FailExchange(context, read.failure, "to report its option words and version");

    const std::uint32_t identifier = identity.identifier;
    const std::uint32_t firstWord = identity.firstOptionWord;
    const std::uint32_t secondWord = identity.secondOptionWord;
    const std::uint16_t version = identity.version;
    const UnitInfo info = InfoOf(identity);
    const std::string& versionText = info.version;
    const std::string& configText = info.config;
    std::vector<std::string> options = OptionLines(info.options);

    char versionNumber[16];
    (void)std::snprintf(versionNumber, sizeof versionNumber, "%X.%02X", version >> 8,
                        version & 0xFFu);
    context.result["version"] = versionNumber;
    context.result["identifier"] = identifier == 0xFFFFFFFFu ? Json() : Json(Hex8(identifier));
    context.result["firstOptionWord"] = Hex8(firstWord);
    context.result["secondOptionWord"] = Hex8(secondWord);
    context.result["versionText"] = versionText;
    context.result["configText"] = configText;
    Json& list = context.result["options"] = Json::array();
    for (const auto& option : options)
        list.push_back(option);

    if (!context.JsonOutput()) {
        context.out << "Version: " << versionText << "\n";
        context.out << "Config:  " << configText << "\n";
        context.out << "Options:\n";
        for (const auto& option : options)
            context.out << "  " << option << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
