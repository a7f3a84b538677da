#include "config/window/HeldValues.h"

#include "config/window/SettingBinding.h"
#include "config/window/SettingEncodings.h"
#include "resources/Strings.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace zeb40 {
namespace {

constexpr int MaxUserBitsCharacters = 8;

const char* const NoMoreCharacters = "Please enter no more than %1 characters.";

// The order in which the window validates its fields: settings by name, and
// the two texts.
constexpr std::string_view ItemsTextField = "(items text)";
constexpr std::string_view UserBitsField = "(user bits)";
constexpr std::string_view ValidationOrder[] = {"insert.hd-sw-filter",
                                                "position.vertical",
                                                "generate.vitc-line-1",
                                                "generate.vitc-line-2",
                                                "jam.wheel",
                                                "read.vitc-line-1",
                                                "read.vitc-line-2",
                                                "jam.offset-frames",
                                                "jam.offset-hours",
                                                "jam.offset-minutes",
                                                "jam.offset-seconds",
                                                "jam.use-offset",
                                                "position.horizontal",
                                                ItemsTextField,
                                                "generate.time-frames",
                                                "generate.time-hours",
                                                "generate.time-minutes",
                                                "generate.time-seconds",
                                                UserBitsField,
                                                "display.bright"};

} // namespace

HeldValues::HeldValues(const SettingBindings& settings, QLineEdit& userBits, QLabel& itemsText,
                       Operator& op)
    : userBitsField_(userBits), itemsTextField_(itemsText), op_(op) {
    for (std::string_view name : ValidationOrder) {
        if (name == ItemsTextField)
            fields_.push_back({nullptr, false, 0});
        else if (name == UserBitsField)
            fields_.push_back({nullptr, true, 0});
        else
            fields_.push_back({&settings.Named(name), false, 0});
    }
    // A held setting the order does not name is validated after the others.
    for (const SettingBinding& setting : settings) {
        if (setting.encoding->Held() && !Holds(setting.Item()))
            fields_.push_back({&setting, false, 0});
    }
}

bool HeldValues::Holds(int item) const {
    return std::any_of(fields_.begin(), fields_.end(), [item](const Field& field) {
        return field.setting && field.setting->Item() == item;
    });
}

HeldValues::Field& HeldValues::Find(int item) {
    for (Field& field : fields_) {
        if (field.setting && field.setting->Item() == item)
            return field;
    }
    throw std::logic_error("no held value for item " + std::to_string(item));
}

const HeldValues::Field& HeldValues::Find(int item) const {
    for (const Field& field : fields_) {
        if (field.setting && field.setting->Item() == item)
            return field;
    }
    throw std::logic_error("no held value for item " + std::to_string(item));
}

int HeldValues::Value(int item) const {
    return Find(item).value;
}

void HeldValues::SetValue(int item, int value) {
    Find(item).value = value;
}

bool HeldValues::Fail(QLineEdit& edit, const std::string& message) {
    op_.ShowMessage(message, strings::ApplicationName, MessageIcon::Exclamation);
    movingFocus_ = true;
    edit.setFocus(Qt::OtherFocusReason);
    movingFocus_ = false;
    edit.selectAll();
    return false;
}

bool HeldValues::TakeField(Field& field) {
    if (field.setting) {
        if (auto refused = field.setting->encoding->TakeHeld(*field.setting, field.value))
            return Fail(*field.setting->widgets.edit, *refused);
        return true;
    }
    if (!field.userBits) {
        itemsText_ = itemsTextField_.text().toStdString();
        return true;
    }
    const QString text = userBitsField_.text();
    if (text.size() > MaxUserBitsCharacters)
        return Fail(userBitsField_,
                    QString(NoMoreCharacters).arg(MaxUserBitsCharacters).toStdString());
    userBits_ = text.toStdString();
    return true;
}

bool HeldValues::Take() {
    for (Field& field : fields_) {
        if (!TakeField(field))
            return false;
    }
    return true;
}

void HeldValues::Show() {
    for (const Field& field : fields_) {
        if (field.setting)
            field.setting->encoding->ShowHeld(*field.setting, field.value);
        else if (field.userBits)
            userBitsField_.setText(QString::fromStdString(userBits_));
        else
            itemsTextField_.setText(QString::fromStdString(itemsText_));
    }
}

} // namespace zeb40
