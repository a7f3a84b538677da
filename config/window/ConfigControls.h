#pragma once
// The controls of the configuration window: one binding per setting, and the
// window's own buttons, check boxes and texts by the ids they are named after.

#include "config/window/ControlIds.h"
#include "config/window/SettingBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>

namespace zeb40 {

struct ConfigControls {
    SettingBindings settings;
    std::map<int, QCheckBox*> checks;    // Auto Apply and the two Timecode boxes
    std::map<int, QPushButton*> buttons; // the buttons, the position buttons among them
    QLineEdit* userBits = nullptr;
    QLabel* itemsText = nullptr;

    QCheckBox* Check(int id) const { return checks.at(id); }
    QPushButton* Button(int id) const { return buttons.at(id); }
    const SettingBinding& Setting(int item) const { return settings.Of(item); }
};

} // namespace zeb40
