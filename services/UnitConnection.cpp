#include "services/UnitConnection.h"

#include "operator/PortRefusal.h"
#include "resources/Strings.h"
#include "services/InfoTexts.h"

namespace zeb40 {
namespace {

LinkResult QueryValue(UnitLink& link, std::uint32_t number, std::uint32_t& result) {
    ReplyCode code{};
    std::uint32_t value = 0;
    const LinkResult replied = link.Query('e', number, code, value).Expecting(ReplyCode::Value);
    if (replied)
        result = value;
    return replied;
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
    LinkResult present;
    {
        WaitCursor wait(op);
        present = link.Probe();
    }
    if (present)
        return UnitAccess::Ready;
    link.CloseIfOpen();
    return UnitAccess::NoUnit;
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

IdentityReadResult ReadUnitIdentity(UnitLink& link, UnitIdentity& identity) {
    if (LinkResult read = QueryValue(link, unit_value::Identifier, identity.identifier); !read)
        return {IdentityRead::NoIdentifier, read};
    LinkResult read = QueryValue(link, unit_value::FirstOptionWord, identity.firstOptionWord);
    if (read)
        read = QueryValue(link, unit_value::SecondOptionWord, identity.secondOptionWord);
    if (read) {
        ReplyCode code{};
        std::uint16_t version = 0;
        read = link.QueryWord('e', unit_value::FirmwareVersion, code, version)
                   .Expecting(ReplyCode::Value);
        if (read)
            identity.version = version;
    }
    if (!read)
        return {IdentityRead::LaterExchangeFailed, read};
    return {};
}

UnitInfo InfoOf(const UnitIdentity& identity) {
    return {VersionText(identity.version, identity.identifier),
            ConfigText(identity.firstOptionWord, identity.secondOptionWord),
            OptionsText(identity.firstOptionWord, identity.secondOptionWord)};
}

ConnectResult ConnectToUnit(UnitLink& link, const std::string& portName, Operator& op) {
    UnitAccess access = OpenUnit(link, portName, op);
    UnitIdentity identity;
    IdentityReadResult read{IdentityRead::NoIdentifier, {}};
    if (access == UnitAccess::Ready) {
        WaitCursor wait(op);
        read = ReadUnitIdentity(link, identity);
    }
    if (access == UnitAccess::Ready && read.read == IdentityRead::NoIdentifier) {
        link.CloseIfOpen();
        access = UnitAccess::NoUnit;
    }
    if (access != UnitAccess::Ready) {
        ShowAccessFailure(op, link, access);
        return {ConnectOutcome::Refused, {}, {}};
    }
    if (read.read == IdentityRead::LaterExchangeFailed) {
        ShowError(op, strings::CommunicationError);
        return {ConnectOutcome::CommunicationError, {}, read.failure};
    }
    return {ConnectOutcome::Connected, InfoOf(identity), {}};
}

} // namespace zeb40
