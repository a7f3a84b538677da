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

// Reports a refused or failed profile exchange; true when the unit said OK.
bool CheckProfileReply(bool exchanged, ReplyCode code, Operator& op, const char* failure) {
    if (exchanged && code == ReplyCode::OK)
        return true;
    ShowError(op, exchanged && code == ReplyCode::PI ? strings::ProfileDoesNotExist : failure);
    return false;
}

} // namespace

std::uint32_t ProfileWireValue(int number) {
    return static_cast<std::uint32_t>(std::stoul(std::to_string(number), nullptr, 16));
}

bool LoadProfileNumber(UnitLink& link, int number, Operator& op) {
    if (number == 0) {
        link.CommandLetter('B');
        return true;
    }
    ReplyCode code{};
    std::uint32_t ignored = 0;
    const bool exchanged = link.Query('B', ProfileWireValue(number), code, ignored);
    return CheckProfileReply(exchanged, code, op, strings::CantLoadProfile);
}

bool SaveUserProfileNumber(UnitLink& link, int number, Operator& op,
                           const std::function<void()>& applyAll) {
    // The unit is busy storing the settings while they arrive, so the whole
    // save waits longer for every answer.
    RaisedReplyWait raised(link, ReplyWait::ProfileSave);
    if (!op.ShowNotice(SavingNotice))
        return false;
    applyAll();
    ReplyCode code{};
    std::uint32_t ignored = 0;
    const bool exchanged = link.Query(
        'E', SaveUserProfileFunction + static_cast<std::uint32_t>(number), code, ignored);
    const bool saved = CheckProfileReply(exchanged, code, op, strings::CantSaveProfile);
    op.CloseNotice();
    return saved;
}

} // namespace zeb40
