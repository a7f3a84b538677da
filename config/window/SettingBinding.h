#pragma once
// One setting of the configuration window, as a property binding holds it:
// its row of the settings table, the widgets that show it and the encoding
// that says how a stored value shows in them and is read back. The window
// keeps one binding per row of the table, made from the table; the layout
// gives each its widgets.

#include "config/ItemDescriptions.h"

#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace zeb40 {

class RefusableSpinBox;
class SettingEncoding;

struct SettingWidgets {
    QComboBox* combo = nullptr;       // list settings
    QLineEdit* edit = nullptr;        // number and time settings
    RefusableSpinBox* spin = nullptr; // the arrows of an edit+spin pair
    QCheckBox* check = nullptr;       // check settings
};

struct SettingBinding {
    const ItemDescription* description;
    const SettingEncoding* encoding;
    SettingWidgets widgets;

    int Item() const { return description->item; }
};

class SettingBindings {
  public:
    // One binding per setting of the table, in item order, without widgets.
    SettingBindings();

    std::vector<SettingBinding>::const_iterator begin() const { return bindings_.begin(); }
    std::vector<SettingBinding>::const_iterator end() const { return bindings_.end(); }

    // A programming error for an item or name the table does not have.
    const SettingBinding& Of(int item) const;
    const SettingBinding& Named(std::string_view name) const;
    // For the layout, which gives the setting its widgets.
    SettingWidgets& WidgetsOf(std::string_view name);

  private:
    std::vector<SettingBinding> bindings_;
};

} // namespace zeb40
