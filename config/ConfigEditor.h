#pragma once
// The item rules of the configuration window: bounds and writes of single
// items, the free-item count, the reorganisation offer and the full apply.
// They report what happened to the unit's configuration memory; the window
// decides what its items text and buttons show.

#include "config/ConfigItemTable.h"
#include "config/PresetPlace.h"
#include "link/UnitLink.h"
#include "operator/Operator.h"

#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

namespace zeb40 {

// What the configuration window's boxes say when an item is set.
struct EditChoices {
    bool autoApply = false;
    int sizeSelection = 0; // the Size combo: 0 "Small", 1 "Large", -1 none
};

// What the rules learnt of the unit's configuration memory during one or
// more operations.
struct MemoryReport {
    std::optional<ItemStatus> count; // the item count read last
    bool slotsInUse = false;         // a count read showed items in use
    bool reorganized = false;        // a reorganisation made room again
    bool writeFailed = false;        // an Auto Apply write did not get through
    bool reorganizeOffered = false;  // the operator was asked to reorganise
};

// What ApplyAll takes for a setting item: a combo's selection (-1 none) or
// the held value of an edit field or check box (decimal for times).
using ControlValues = std::function<int(int item)>;

// What SetItem did with a value.
struct ItemSetting {
    bool bounded = false; // a bound changed the value
    LinkResult write;     // the 'P' and 'C' of Auto Apply; Ok when nothing was sent
    // The window's rule: the control shows the value again when a bound
    // changed it or the write failed.
    bool PutBack() const { return bounded || !write; }
};

class ConfigEditor {
  public:
    ConfigEditor(UnitLink& link, ConfigState& config, Operator& op);

    // Bounds the value (it may change) and, with Auto Apply, writes it. A
    // value outside 0-254 is neither sent nor stored and is not put back.
    ItemSetting SetItem(int item, int& value, const EditChoices& choices, MemoryReport& report);
    void RefreshItemCount(MemoryReport& report);
    void OfferReorganize(MemoryReport& report);
    // 'S', then 'Q' under the reorganisation wait; the result is the 'Q'.
    LinkResult ReorganizeConfigMemory(MemoryReport& report);
    // All settings to the unit: 'S', 'O', the 45 items, 'S'. Ok when all was
    // written or the link is closed, else the exchange that stopped it. The
    // caller has taken the controls' values when the link is open.
    LinkResult ApplyAll(const ControlValues& values, MemoryReport& report);
    // The position buttons' batch: 'O', both items through SetItem, 'S', then
    // the item count; every part is sent whatever the replies before it. The
    // position is left as SetItem left it; the result is the first exchange
    // that failed ('O' and 'S' included; the window does not use it).
    LinkResult SetInsertPosition(InsertPosition& position, const EditChoices& choices,
                                 MemoryReport& report);

  private:
    UnitLink& link_;
    ConfigState& config_;
    Operator& op_;
};

// "59 items available"
std::string ItemsAvailableText(const ItemStatus& status);

// What a window loaded from the table would show in each setting's control,
// and its choices with Size showing item 64.
ControlValues ShownValues(const ConfigItemTable& table);
EditChoices ShownChoices(const ConfigItemTable& table, bool autoApply);

// 'e' 95h: the unit's item capacity and use; Ok only when a single value came.
LinkResult QueryItemStatus(UnitLink& link, ItemStatus& status);

// 'c' with the item: its byte, written only on Ok (a refusal carries none).
LinkResult ReadItem(UnitLink& link, int item, std::uint8_t& value);

// Reads the items in the given order into the table; stops at the first that
// does not come, the items before it keeping their new values.
LinkResult ReadItemsFromUnit(UnitLink& link, ConfigItemTable& table, std::span<const int> items);
inline LinkResult ReadItemsFromUnit(UnitLink& link, ConfigItemTable& table,
                                    std::initializer_list<int> items) {
    return ReadItemsFromUnit(link, table, std::span<const int>(items.begin(), items.size()));
}

// Reads the 45 setting items from the unit in the unit's read order. Does
// nothing and returns true when the link is closed or a configuration file is
// named. On failure the items read so far keep their new values and the
// caller reports "Communication error".
LinkResult ReadConfigFromUnit(UnitLink& link, ConfigItemTable& table,
                              const std::string& configFilePath, Operator& op);

} // namespace zeb40
