#pragma once
// The configuration window's state without a window: Auto Apply on while
// connected, every control showing what the table holds (Size from item 64),
// nothing to validate. Remembers whether a reorganisation made room again.

#include "config/ConfigItemTable.h"
#include "config/ConfigWindowState.h"

namespace zeb40::cli {

class TableWindowState : public ConfigWindowState {
  public:
    // autoApply false: a window without a link, which only stores.
    explicit TableWindowState(const ConfigItemTable& table, bool autoApply = true)
        : table_(table), autoApply_(autoApply) {}

    bool AutoApplyChecked() const override { return autoApply_; }
    int SizeSelection() const override;
    void SetItemsText(const std::string& text) override { itemsText_ = text; }
    bool ReorganizeEnabled() const override { return reorganizeEnabled_; }
    void SetReorganizeEnabled(bool enabled) override { reorganizeEnabled_ = enabled; }
    // A successful reorganisation enables Apply again.
    void SetApplyEnabled(bool enabled) override { reorganized_ = reorganized_ || enabled; }
    void SetAutoApplyEnabled(bool) override {}
    void ShowHeldValues() override {}
    int ControlValue(int item) const override;
    bool TakeControlValues() override { return true; }

    const std::string& ItemsText() const { return itemsText_; }
    bool Reorganized() const { return reorganized_; }
    void ClearReorganized() { reorganized_ = false; }

  private:
    const ConfigItemTable& table_;
    bool autoApply_;
    std::string itemsText_;
    bool reorganizeEnabled_ = true;
    bool reorganized_ = false;
};

} // namespace zeb40::cli
