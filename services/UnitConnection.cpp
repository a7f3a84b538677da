#include "services/UnitConnection.h"

#include "operator/PortRefusal.h"
#include "resources/Strings.h"
#include "services/InfoTexts.h"

namespace zeb40 {
namespace {

bool QueryValue(UnitLink& link, std::uint32_t number, std::uint32_t& result) {
    ReplyCode code{};
    return link.Query('e', number, code, result) && code == ReplyCode::Value;
}

void ShowError(Operator& op, const char* message) {
    op.ShowMessage(message, strings::ErrorCaption, MessageIcon::Exclamation);
}

} // namespace

UnitAccess OpenPort(UnitLink& link, const std::string& portName) {
    if (portName.empty())
        return UnitAccess::NoPortName;
    link.CloseIfOpen();
    return link.OpenByName(portName) ? UnitAccess::Ready : UnitAccess::CantOpen;
}

UnitAccess OpenUnit(UnitLink& link, const std::string& portName, Operator& op) {
    if (UnitAccess opened = OpenPort(link, portName); opened != UnitAccess::Ready)
        return opened;
    bool present = false;
    {
        WaitCursor wait(op);
        present = link.Probe();
    }
    if (present)
        return UnitAccess::Ready;
    link.CloseIfOpen();
    return UnitAccess::NoUnit;
}

bool UnitStillAnswers(UnitLink& link) {
    if (!link.IsOpen() || link.Lost())
        return false;
    link.Purge();
    return link.Probe();
}

void ShowAccessFailure(Operator& op, const UnitLink& link, UnitAccess access) {
    switch (access) {
    case UnitAccess::Ready:
        break;
    case UnitAccess::NoPortName:
        ShowError(op, strings::SelectPortName);
        break;
    case UnitAccess::CantOpen:
        ShowCantOpenPort(op, link);
        break;
    case UnitAccess::NoUnit:
        ShowError(op, strings::CantConnect);
        break;
    }
}

IdentityRead ReadUnitIdentity(UnitLink& link, UnitIdentity& identity) {
    if (!QueryValue(link, unit_value::Identifier, identity.identifier))
        return IdentityRead::NoIdentifier;
    ReplyCode code{};
    if (!QueryValue(link, unit_value::FirstOptionWord, identity.firstOptionWord) ||
        !QueryValue(link, unit_value::SecondOptionWord, identity.secondOptionWord) ||
        !link.QueryWord('e', unit_value::FirmwareVersion, code, identity.version) ||
        code != ReplyCode::Value)
        return IdentityRead::LaterExchangeFailed;
    return IdentityRead::Read;
}

UnitInfo InfoOf(const UnitIdentity& identity) {
    return {VersionText(identity.version, identity.identifier),
            ConfigText(identity.firstOptionWord, identity.secondOptionWord),
            OptionsText(identity.firstOptionWord, identity.secondOptionWord)};
}

ConnectResult ConnectToUnit(UnitLink& link, const std::string& portName, Operator& op) {
    UnitAccess access = OpenUnit(link, portName, op);
    UnitIdentity identity;
    IdentityRead read = IdentityRead::NoIdentifier;
    if (access == UnitAccess::Ready) {
        WaitCursor wait(op);
        read = ReadUnitIdentity(link, identity);
    }
    if (access == UnitAccess::Ready && read == IdentityRead::NoIdentifier) {
        link.CloseIfOpen();
        access = UnitAccess::NoUnit;
    }
    if (access != UnitAccess::Ready) {
        ShowAccessFailure(op, link, access);
        return {ConnectOutcome::Refused, {}};
    }
    if (read == IdentityRead::LaterExchangeFailed) {
        ShowError(op, strings::CommunicationError);
        return {ConnectOutcome::CommunicationError, {}};
    }
    return {ConnectOutcome::Connected, InfoOf(identity)};
}

} // namespace zeb40
