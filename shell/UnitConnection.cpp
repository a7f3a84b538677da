#include "shell/UnitConnection.h"

#include "resources/Strings.h"
#include "shell/startup/InfoTexts.h"
#include "shell/startup/PortRefusal.h"

namespace zeb40 {
namespace {

enum class ReadResult { Read, NoUnit, LaterExchangeFailed };

ConnectResult Fail(Operator& op, const char* message, ConnectOutcome outcome) {
    op.ShowMessage(message, strings::ErrorCaption, MessageIcon::Exclamation);
    return {outcome, {}};
}

bool QueryValue(UnitLink& link, std::uint32_t number, std::uint32_t& result) {
    ReplyCode code{};
    return link.Query('e', number, code, result) && code == ReplyCode::Value;
}

// A unit that cannot even tell its identifier counts as absent.
ReadResult ReadUnitInfo(UnitLink& link, UnitInfo& info) {
    std::uint32_t identifier = 0;
    if (!link.Probe() || !QueryValue(link, unit_value::Identifier, identifier))
        return ReadResult::NoUnit;
    std::uint32_t first = 0;
    std::uint32_t second = 0;
    std::uint16_t version = 0;
    ReplyCode code{};
    if (!QueryValue(link, unit_value::FirstOptionWord, first) ||
        !QueryValue(link, unit_value::SecondOptionWord, second) ||
        !link.QueryWord('e', unit_value::FirmwareVersion, code, version) ||
        code != ReplyCode::Value)
        return ReadResult::LaterExchangeFailed;
    info = {VersionText(version, identifier), ConfigText(first, second),
            OptionsText(first, second)};
    return ReadResult::Read;
}

} // namespace

ConnectResult ConnectToUnit(UnitLink& link, const std::string& portName, Operator& op) {
    if (portName.empty())
        return Fail(op, strings::SelectPortName, ConnectOutcome::Refused);
    link.CloseIfOpen();
    if (!link.OpenByName(portName)) {
        ShowCantOpenPort(op, link);
        return {ConnectOutcome::Refused, {}};
    }

    ConnectResult result;
    ReadResult read = ReadResult::NoUnit;
    {
        WaitCursor wait(op);
        read = ReadUnitInfo(link, result.info);
    }
    switch (read) {
    case ReadResult::NoUnit:
        link.CloseIfOpen();
        return Fail(op, strings::CantConnect, ConnectOutcome::Refused);
    case ReadResult::LaterExchangeFailed:
        return Fail(op, strings::CommunicationError, ConnectOutcome::CommunicationError);
    case ReadResult::Read:
        break;
    }
    result.outcome = ConnectOutcome::Connected;
    return result;
}

} // namespace zeb40
