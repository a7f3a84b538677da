#pragma once
// Loading a profile (or the factory settings) into the unit and saving its
// settings as one of the ten user profiles.

#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <cstdint>
#include <functional>

namespace zeb40 {

inline constexpr int MaxLoadProfileNumber = 499;
inline constexpr int MaxUserProfileNumber = 9;

// A profile number goes on the wire as its decimal digits read as hex (12 -> 12h).
std::uint32_t ProfileWireValue(int number);

// 0: 'B' alone, the factory settings, reply not checked. 1-499: 'B' with the
// number; "Profile does not exist" for PI, "Can't load profile" for any other
// failure. True when the unit accepted the load (always for 0).
bool LoadProfileNumber(UnitLink& link, int number, Operator& op);

// Saves the unit's settings as user profile 0-9: raises the read timeout to
// 10000 ms, shows the "Saving User Profile..." notice, runs applyAll, sends
// 'E' 80h + number, then restores the timeout and closes the notice. PI gives
// "Profile does not exist", any other failure "Can't save user profile".
// True when the unit saved the profile.
bool SaveUserProfileNumber(UnitLink& link, int number, Operator& op,
                           const std::function<void()>& applyAll);

} // namespace zeb40
