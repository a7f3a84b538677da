#pragma once
// What the item rules need of the configuration window: its Auto Apply box,
// its Size selection, the items text, the Apply / Auto Apply / Reorganize
// buttons and the value each setting's control holds. The Qt window implements
// it; tests and the command-line tool implement it without a window.

#include <string>

namespace zeb40 {

class ConfigWindowState {
  public:
    virtual ~ConfigWindowState() = default;

    virtual bool AutoApplyChecked() const = 0;
    // Selection of the Size combo: 0 "Small", 1 "Large", -1 none.
    virtual int SizeSelection() const = 0;
    virtual void SetItemsText(const std::string& text) = 0;
    virtual bool ReorganizeEnabled() const = 0;
    virtual void SetReorganizeEnabled(bool enabled) = 0;
    virtual void SetApplyEnabled(bool enabled) = 0;
    virtual void SetAutoApplyEnabled(bool enabled) = 0;
    // Redisplay the held values in the controls.
    virtual void ShowHeldValues() = 0;

    // What ApplyAll takes for a setting item: a combo's selection (-1 none)
    // or the held value of an edit field or check box (decimal for times).
    virtual int ControlValue(int item) const = 0;
    // Runs the window's value exchange before ApplyAll; false on a validation
    // failure (its message has been shown).
    virtual bool TakeControlValues() = 0;
};

} // namespace zeb40
