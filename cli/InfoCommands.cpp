// info: what the unit says about itself, as the main window shows it.

#include "cli/Commands.h"
#include "cli/OptionLines.h"
#include "cli/UnitConnection.h"
#include "resources/Strings.h"
#include "shell/startup/InfoTexts.h"

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
    UnitLink& link = context.link;
    ReplyCode code{};
    std::uint32_t identifier = 0;
    if (!link.Query('e', unit_value::Identifier, code, identifier) || code != ReplyCode::Value) {
        link.CloseIfOpen();
        return context.Fail(ExitCode::NoUnit, strings::CantConnect);
    }
    std::uint32_t firstWord = 0;
    std::uint32_t secondWord = 0;
    std::uint16_t version = 0;
    bool read =
        link.Query('e', unit_value::FirstOptionWord, code, firstWord) && code == ReplyCode::Value &&
        link.Query('e', unit_value::SecondOptionWord, code, secondWord) &&
        code == ReplyCode::Value &&
        link.QueryWord('e', unit_value::FirmwareVersion, code, version) && code == ReplyCode::Value;
    if (!read) {
        link.CloseIfOpen();
        return context.Fail(ExitCode::CommunicationError, strings::CommunicationError);
    }
    link.CloseIfOpen();

    std::string versionText = VersionText(version, identifier);
    std::string configText = ConfigText(firstWord, secondWord);
    std::vector<std::string> options = OptionLines(OptionsText(firstWord, secondWord));

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
