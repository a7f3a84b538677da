#pragma once
// The values the configuration window holds besides its controls: the
// settings kept in edit fields and check boxes, the user bits text and the
// items text. Take copies the controls into them with validation, Show copies
// them back.

#include "operator/Operator.h"

#include <string>
#include <vector>

class QLineEdit;
class QLabel;

namespace zeb40 {

struct SettingBinding;
class SettingBindings;

class HeldValues {
  public:
    // The held settings are those whose encoding holds a value; the fields
    // must outlive this.
    HeldValues(const SettingBindings& settings, QLineEdit& userBits, QLabel& itemsText,
               Operator& op);

    // Copies the fields in their validation order and stops at the first that
    // fails: its message is shown, the focus goes to it, and it keeps its last
    // valid value, as do the fields after it. False on a failure.
    bool Take();
    void Show();

    // The held value of a setting kept in an edit field or check box.
    int Value(int item) const;
    void SetValue(int item, int value);
    const std::string& UserBitsText() const { return userBits_; }
    void SetItemsText(const std::string& text) { itemsText_ = text; }
    const std::string& ItemsText() const { return itemsText_; }
    // True while a failed validation puts the focus on its field: the field
    // that loses it is not being left by the operator.
    bool MovingFocus() const { return movingFocus_; }

  private:
    struct Field {
        const SettingBinding* setting; // none for the two texts
        bool userBits = false;         // else the items text, when no setting
        int value = 0;
    };

    bool TakeField(Field& field);
    bool Fail(QLineEdit& edit, const std::string& message);
    bool Holds(int item) const;
    Field& Find(int item);
    const Field& Find(int item) const;

    QLineEdit& userBitsField_;
    QLabel& itemsTextField_;
    Operator& op_;
    std::vector<Field> fields_;
    std::string userBits_;
    std::string itemsText_;
    bool movingFocus_ = false;
};

} // namespace zeb40
