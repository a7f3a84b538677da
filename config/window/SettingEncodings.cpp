#include "config/window/SettingEncodings.h"

#include "config/window/HeldValues.h"
#include "config/window/SettingBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <stdexcept>

namespace zeb40 {
namespace {

const char* const NotAnInteger = "Please enter an integer.";
const char* const IntegerBetween = "Please enter an integer between %1 and %2.";

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

// Index: the item is the selected entry.
class ListEncoding : public SettingEncoding {
  public:
    bool Held() const override { return false; }
    void Load(const SettingBinding& setting, HeldValues&, std::uint8_t stored) const override {
        setting.widgets.combo->setCurrentIndex(ControlValueFromItem(*setting.description, stored));
    }
    int Read(const SettingBinding& setting, const HeldValues&) const override {
        return setting.widgets.combo->currentIndex();
    }
    int ItemValue(const SettingBinding&, int shown, std::uint8_t) const override { return shown; }
    void Settle(const SettingBinding& setting, HeldValues&, int value,
                bool putBack) const override {
        if (putBack)
            setting.widgets.combo->setCurrentIndex(value);
    }
};

// Off flag: "Off" keeps the source chosen before in the low bits, and any
// value with bit 7 set shows as "Off".
class OffFlagListEncoding : public ListEncoding {
  public:
    int ItemValue(const SettingBinding& setting, int shown, std::uint8_t current) const override {
        if (shown == setting.description->offEntry)
            return current % 128 + 128;
        return shown;
    }
    void Settle(const SettingBinding& setting, HeldValues&, int value,
                bool putBack) const override {
        if (putBack)
            setting.widgets.combo->setCurrentIndex(value < 128 ? value
                                                               : setting.description->offEntry);
    }
};

// Number: the field holds the item's value, within the field's range.
class NumberEncoding : public SettingEncoding {
  public:
    bool Held() const override { return true; }
    void Load(const SettingBinding& setting, HeldValues& held, std::uint8_t stored) const override {
        held.SetValue(setting.Item(), ControlValueFromItem(*setting.description, stored));
    }
    int Read(const SettingBinding& setting, const HeldValues& held) const override {
        return held.Value(setting.Item());
    }
    int ItemValue(const SettingBinding&, int shown, std::uint8_t) const override { return shown; }
    void Settle(const SettingBinding& setting, HeldValues& held, int value,
                bool putBack) const override {
        held.SetValue(setting.Item(), value);
        if (putBack)
            held.Show();
    }
    void ShowHeld(const SettingBinding& setting, int value) const override {
        setting.widgets.edit->setText(Text(value));
    }
    std::optional<std::string> TakeHeld(const SettingBinding& setting, int& value) const override {
        const ItemDescription& description = *setting.description;
        int number = 0;
        if (!ParseInteger(setting.widgets.edit->text(), number))
            return NotAnInteger;
        // A number outside its range is not taken over: the field keeps its
        // last valid value, so nothing later can send it to the unit.
        if (number < description.fieldMin || number > description.fieldMax) {
            return QString(IntegerBetween)
                .arg(description.fieldMin)
                .arg(description.fieldMax)
                .toStdString();
        }
        value = number;
        return std::nullopt;
    }

  protected:
    virtual QString Text(int value) const { return QString::number(value); }
};

// BCD: the field holds the decimal of the item's two digits.
class TimeEncoding : public NumberEncoding {
  public:
    int ItemValue(const SettingBinding&, int shown, std::uint8_t) const override {
        return BcdFromDecimal(shown);
    }
    void Settle(const SettingBinding& setting, HeldValues& held, int value,
                bool putBack) const override {
        if (!putBack)
            return;
        held.SetValue(setting.Item(), DecimalFromBcd(value));
        held.Show();
    }

  protected:
    // "07", as a timecode reads.
    QString Text(int value) const override { return QString("%1").arg(value, 2, 10, QChar('0')); }
};

// Check: the box's state is the item, 0 or 1.
class CheckEncoding : public NumberEncoding {
  public:
    void ShowHeld(const SettingBinding& setting, int value) const override {
        setting.widgets.check->setChecked(value != 0);
    }
    std::optional<std::string> TakeHeld(const SettingBinding& setting, int& value) const override {
        value = setting.widgets.check->isChecked() ? 1 : 0;
        return std::nullopt;
    }
};

} // namespace

void SettingEncoding::ShowHeld(const SettingBinding&, int) const {
    throw std::logic_error("a list setting holds no value of its own");
}

std::optional<std::string> SettingEncoding::TakeHeld(const SettingBinding&, int&) const {
    throw std::logic_error("a list setting holds no value of its own");
}

const SettingEncoding& EncodingOf(ItemEncoding encoding) {
    static const ListEncoding list;
    static const OffFlagListEncoding offFlagList;
    static const NumberEncoding number;
    static const TimeEncoding time;
    static const CheckEncoding check;
    switch (encoding) {
    case ItemEncoding::Index:
        return list;
    case ItemEncoding::OffFlag:
        return offFlagList;
    case ItemEncoding::Number:
        return number;
    case ItemEncoding::Bcd:
        return time;
    case ItemEncoding::Check:
        return check;
    }
    throw std::logic_error("unknown encoding");
}

} // namespace zeb40
