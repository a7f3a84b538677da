#include "config/ProfileCommands.h"

#include "resources/Strings.h"

#include <string>

namespace zeb40 {
namespace {

constexpr std::uint32_t SaveUserProfileFunction = 0x80;
constexpr const char* SavingNotice = "Saving User Profile...";

void ShowError(Operator& op, const char* text) {
    op.ShowMessage(text, strings::ErrorCaption, MessageIcon::Exclamation);
}

// Reports a refused or failed profile exchange.
LinkResult CheckProfileReply(LinkResult replied, Operator& op, const char* failure) {
    const LinkResult accepted = replied.Expecting(ReplyCode::OK);
    if (!accepted)
        ShowError(op, ProfileFailureText(accepted, failure));
    return accepted;
}

} // namespace

const char* ProfileFailureText(LinkResult failed, const char* otherwise) {
    return failed.IsRefused() && failed.Reply() == ReplyCode::PI ? strings::ProfileDoesNotExist
                                                                 : otherwise;
}

std::uint32_t ProfileWireValue(int number) {
    return static_cast<std::uint32_t>(std::stoul(std::to_string(number), nullptr, 16));
}

LinkResult LoadProfileNumber(UnitLink& link, int number, Operator& op) {
    if (number == 0)
        return link.CommandLetter('B');
    ReplyCode code{};
    std::uint32_t ignored = 0;
    return CheckProfileReply(link.Query('B', ProfileWireValue(number), code, ignored), op,
                             strings::CantLoadProfile);
}

std::optional<LinkResult> SaveUserProfileNumber(UnitLink& link, int number, Operator& op,
                                                const std::function<void()>& applyAll) {
    // The unit is busy storing the settings while they arrive, so the whole
    // save waits longer for every answer.
    RaisedReplyWait raised(link, ReplyWait::ProfileSave);
    if (!op.ShowNotice(SavingNotice))
        return std::nullopt;
    applyAll();
    ReplyCode code{};
    std::uint32_t ignored = 0;
    const LinkResult saved = CheckProfileReply(
        link.Query('E', SaveUserProfileFunction + static_cast<std::uint32_t>(number), code,
                   ignored),
        op, strings::CantSaveProfile);
    op.CloseNotice();
    return saved;
}

} // namespace zeb40
