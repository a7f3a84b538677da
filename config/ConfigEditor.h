#pragma once
// The item rules of the configuration window: bounds and writes of single
// items, the free-item count, the reorganisation offer and the full apply.

#include "config/ConfigItemTable.h"
#include "config/ConfigWindowState.h"
#include "link/UnitLink.h"
#include "shell/startup/Operator.h"

namespace zeb40 {

class ConfigEditor {
  public:
    ConfigEditor(UnitLink& link, ConfigState& config, ConfigWindowState& window, Operator& op);

    // Bounds the value (it may change) and, with Auto Apply, writes it. True
    // when a bound changed the value or the write failed: the caller puts the
    // value back into its control.
    bool SetItem(int item, int& value);
    void RefreshItemCount();
    void OfferReorganize();
    bool ReorganizeConfigMemory();
    // All settings to the unit: 'S', 'O', the 45 items, 'S'. True when all
    // was written or the link is closed.
    bool ApplyAll();
    int MaxHorizontalPosition() const;
    int MaxVerticalPosition() const;

  private:
    UnitLink& link_;
    ConfigState& config_;
    ConfigWindowState& window_;
    Operator& op_;
};

// 'e' 95h: the unit's item capacity and use; false unless a single value came.
bool QueryItemStatus(UnitLink& link, ItemStatus& status);

// Reads the 45 setting items from the unit in the unit's read order. Does
// nothing and returns true when the link is closed or a configuration file is
// named. On failure the items read so far keep their new values and the
// caller reports "Communication error".
bool ReadConfigFromUnit(UnitLink& link, ConfigItemTable& table, const std::string& configFilePath,
                        Operator& op);

} // namespace zeb40
