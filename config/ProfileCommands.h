#pragma once
// Loading a profile (or the factory settings) into the unit and saving its
// settings as one of the ten user profiles.

#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace zeb40 {

inline constexpr int MaxLoadProfileNumber = 499;
inline constexpr int MaxUserProfileNumber = 9;

// A profile number goes on the wire as its decimal digits read as hex (12 -> 12h).
std::uint32_t ProfileWireValue(int number);

// 0: 'B' alone, the factory settings; its reply is not reported. 1-499: 'B'
// with the number; "Profile does not exist" for PI, "Can't load profile" for
// any other failure. The result is the 'B' exchange, wanting OK.
LinkResult LoadProfileNumber(UnitLink& link, int number, Operator& op);

// Saves the unit's settings as user profile 0-9: raises the read timeout to
// 10000 ms, shows the "Saving User Profile..." notice, runs applyAll, sends
// 'E' 80h + number, then restores the timeout and closes the notice. PI gives
// "Profile does not exist", any other failure "Can't save user profile".
// The result is the 'E' exchange; nothing when the notice could not be shown
// (and so nothing was sent). applyAll reports its own result to its caller.
std::optional<LinkResult> SaveUserProfileNumber(UnitLink& link, int number, Operator& op,
                                                const std::function<void()>& applyAll);

// The message the profile commands show for a failed exchange: "Profile does
// not exist" for a PI refusal, otherwise the command's own failure text.
const char* ProfileFailureText(LinkResult failed, const char* otherwise);

} // namespace zeb40
