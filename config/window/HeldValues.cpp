#include "config/window/HeldValues.h"

#include "config/window/ControlItems.h"
#include "resources/Strings.h"

namespace zeb40 {
namespace {

constexpr int MaxUserBitsCharacters = 8;

const char* const NotAnInteger = "Please enter an integer.";
const char* const IntegerBetween = "Please enter an integer between %1 and %2.";
const char* const NoMoreCharacters = "Please enter no more than %1 characters.";

// Leading and trailing blanks, an optional sign and decimal digits only.
bool ParseInteger(const QString& text, int& value) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && (c == '-' || c == '+')))
            return false;
    }
    bool converted = false;
    value = trimmed.toInt(&converted);
    return converted;
}

} // namespace

HeldValues::HeldValues(const ConfigControls& controls, Operator& op)
    : controls_(controls), op_(op) {
    // The order in which the window validates its fields.
    constexpr int Order[] = {1026, 1040, 1015, 1017, 1021, 1030, 1032, 1053, 1050, 1051,
                             1052, 1044, 1038, 1055, 1068, 1064, 1066, 1067, 1069, 1075};
    for (int id : Order) {
        if (id == control::ItemsText) {
            fields_.push_back({id, Kind::ItemsText});
        } else if (id == control::UserBits) {
            fields_.push_back({id, Kind::UserBits});
        } else {
            const ItemDescription& description = ItemOfControl(id);
            const Kind kind =
                description.encoding == ItemEncoding::Check ? Kind::Check : Kind::Number;
            fields_.push_back({id, kind, description.fieldMin, description.fieldMax, 0,
                               description.encoding == ItemEncoding::Bcd});
        }
    }
}

HeldValues::Field& HeldValues::Find(int controlId) {
    for (Field& field : fields_) {
        if (field.controlId == controlId)
            return field;
    }
    throw std::logic_error("no held value for control " + std::to_string(controlId));
}

const HeldValues::Field& HeldValues::Find(int controlId) const {
    return const_cast<HeldValues*>(this)->Find(controlId);
}

int HeldValues::Value(int controlId) const {
    return Find(controlId).value;
}

void HeldValues::SetValue(int controlId, int value) {
    Find(controlId).value = value;
}

bool HeldValues::Fail(int controlId, const std::string& message) {
    op_.ShowMessage(message, strings::ApplicationName, MessageIcon::Exclamation);
    QLineEdit* edit = controls_.Edit(controlId);
    movingFocus_ = true;
    edit->setFocus(Qt::OtherFocusReason);
    movingFocus_ = false;
    edit->selectAll();
    return false;
}

bool HeldValues::TakeField(Field& field) {
    switch (field.kind) {
    case Kind::ItemsText:
        itemsText_ = controls_.itemsText->text().toStdString();
        return true;
    case Kind::Check:
        field.value = controls_.Check(field.controlId)->isChecked() ? 1 : 0;
        return true;
    case Kind::UserBits: {
        const QString text = controls_.Edit(field.controlId)->text();
        if (text.size() > MaxUserBitsCharacters) {
            return Fail(field.controlId,
                        QString(NoMoreCharacters).arg(MaxUserBitsCharacters).toStdString());
        }
        userBits_ = text.toStdString();
        return true;
    }
    case Kind::Number: {
        int number = 0;
        if (!ParseInteger(controls_.Edit(field.controlId)->text(), number))
            return Fail(field.controlId, NotAnInteger);
        // A number outside its range is not taken over: the field keeps its
        // last valid value, so nothing later can send it to the unit.
        if (number < field.minimum || number > field.maximum) {
            return Fail(
                field.controlId,
                QString(IntegerBetween).arg(field.minimum).arg(field.maximum).toStdString());
        }
        field.value = number;
        return true;
    }
    }
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
        switch (field.kind) {
        case Kind::ItemsText:
            controls_.itemsText->setText(QString::fromStdString(itemsText_));
            break;
        case Kind::Check:
            controls_.Check(field.controlId)->setChecked(field.value != 0);
            break;
        case Kind::UserBits:
            controls_.Edit(field.controlId)->setText(QString::fromStdString(userBits_));
            break;
        case Kind::Number:
            controls_.Edit(field.controlId)
                ->setText(QString("%1").arg(field.value, field.twoDigits ? 2 : 1, 10, QChar('0')));
            break;
        }
    }
}

} // namespace zeb40
