#pragma once
// The values the configuration window holds besides its controls: the number
// and check fields, the user bits text and the items text. Take copies the
// controls into them with validation, Show copies them back.

#include "config/window/ConfigControls.h"
#include "operator/Operator.h"

#include <string>
#include <vector>

namespace zeb40 {

class HeldValues {
  public:
    HeldValues(const ConfigControls& controls, Operator& op);

    // Copies the fields in their validation order and stops at the first that
    // fails: its message is shown, the focus goes to it, and it keeps its last
    // valid value, as do the fields after it. False on a failure.
    bool Take();
    void Show();

    // The held number of an edit field or check box, by control id.
    int Value(int controlId) const;
    void SetValue(int controlId, int value);
    const std::string& UserBitsText() const { return userBits_; }
    void SetItemsText(const std::string& text) { itemsText_ = text; }
    const std::string& ItemsText() const { return itemsText_; }
    // True while a failed validation puts the focus on its field: the field
    // that loses it is not being left by the operator.
    bool MovingFocus() const { return movingFocus_; }

  private:
    enum class Kind { Number, Check, UserBits, ItemsText };
    struct Field {
        int controlId;
        Kind kind;
        int minimum = 0;
        int maximum = 0;
        int value = 0;
        bool twoDigits = false; // time fields read "07", as a timecode does
    };

    bool TakeField(Field& field);
    bool Fail(int controlId, const std::string& message);
    Field& Find(int controlId);
    const Field& Find(int controlId) const;

    const ConfigControls& controls_;
    Operator& op_;
    std::vector<Field> fields_;
    std::string userBits_;
    std::string itemsText_;
    bool movingFocus_ = false;
};

} // namespace zeb40
