#pragma once
// The controls of the configuration window by their numeric ids, and the ids
// of the controls that no configuration item names.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>

namespace zeb40 {

class RefusableSpinBox;

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
inline constexpr int Size = 1035;
inline constexpr int Norm = 1042;
inline constexpr int Horizontal = 1038;
inline constexpr int Vertical = 1040;
inline constexpr int HorizontalSpin = 1039;
inline constexpr int VerticalSpin = 1041;
inline constexpr int GenerateHours = 1064;
inline constexpr int GenerateMinutes = 1066;
inline constexpr int GenerateSeconds = 1067;
inline constexpr int GenerateFrames = 1068;
} // namespace control

struct ConfigControls {
    std::map<int, QComboBox*> combos;
    std::map<int, QLineEdit*> edits;
    std::map<int, RefusableSpinBox*> spins;
    std::map<int, QCheckBox*> checks;
    std::map<int, QPushButton*> buttons;
    QLabel* itemsText = nullptr;

    QComboBox* Combo(int id) const { return combos.at(id); }
    QLineEdit* Edit(int id) const { return edits.at(id); }
    RefusableSpinBox* Spin(int id) const { return spins.at(id); }
    QCheckBox* Check(int id) const { return checks.at(id); }
    QPushButton* Button(int id) const { return buttons.at(id); }
};

} // namespace zeb40
