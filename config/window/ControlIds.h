#pragma once
// The numbers the configuration window names its controls after
// ("button3", "combo1009", "edit1015" with "spin1018"): the unit's own dialog
// ids, which scripts and checks of the window look its controls up by.

namespace zeb40 {

// The controls that edit no setting.
namespace control {
inline constexpr int Close = 2;
inline constexpr int Apply = 3;
inline constexpr int Reorganize = 6;
inline constexpr int SetClock = 7;
inline constexpr int SaveUserProfile = 8;
inline constexpr int Help = 57670;
inline constexpr int AutoApply = 1054;
inline constexpr int ItemsText = 1055;
inline constexpr int UserBits = 1069;
inline constexpr int GeneratorTimecode = 1070;
inline constexpr int ReaderTimecode = 1065;
inline constexpr int SetGenerator = 1071;
inline constexpr int Jam = 1072;
inline constexpr int Logo = 1073;
} // namespace control

// A setting's controls: its combo, edit field or check box, and the spin of
// an edit+spin pair (0 without one).
struct SettingControlIds {
    int item;
    int control;
    int spin;
};

// A programming error for an item that is no setting.
const SettingControlIds& SettingControlIdsOf(int item);

} // namespace zeb40
