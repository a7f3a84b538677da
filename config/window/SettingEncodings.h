#pragma once
// How each encoding of the settings table shows in the window and is read
// back: a list as a combo's selection, an Off-flag list that keeps its source
// when switched off, a number and a time in an edit field (the time as the
// decimal of its BCD byte), a check as a check box. One class per encoding;
// the handlers, the loading and Apply ask the setting's encoding, never its
// kind.

#include "config/ItemDescriptions.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zeb40 {

class HeldValues;
struct SettingBinding;

class SettingEncoding {
  public:
    SettingEncoding() = default;
    SettingEncoding(const SettingEncoding&) = delete;
    SettingEncoding& operator=(const SettingEncoding&) = delete;
    virtual ~SettingEncoding() = default;

    // True when the setting keeps a held value that the window's value
    // exchange takes from its field (with validation) and shows again; false
    // when its combo's selection is its value.
    virtual bool Held() const = 0;
    // Loads a stored item into the control or its held value, by the
    // window's loading rule.
    virtual void Load(const SettingBinding& setting, HeldValues& held,
                      std::uint8_t stored) const = 0;
    // What the control stands for now, as Apply takes it: the combo's
    // selection (-1 none) or the held value (decimal for times).
    virtual int Read(const SettingBinding& setting, const HeldValues& held) const = 0;
    // The item value that the operator's change asks for; current is the
    // item's stored byte.
    virtual int ItemValue(const SettingBinding& setting, int shown, std::uint8_t current) const = 0;
    // After SetItem: the value it left becomes what the control holds, and
    // shows when SetItem asks for it to be put back.
    virtual void Settle(const SettingBinding& setting, HeldValues& held, int value,
                        bool putBack) const = 0;

    // Held settings only: the held value into the field, and back from it;
    // the standard validation message when the field holds no valid value.
    virtual void ShowHeld(const SettingBinding& setting, int value) const;
    virtual std::optional<std::string> TakeHeld(const SettingBinding& setting, int& value) const;
};

const SettingEncoding& EncodingOf(ItemEncoding encoding);

} // namespace zeb40
