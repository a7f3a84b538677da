#pragma once
// Which settings of a unit (or a second file) differ from a reference
// configuration, in the order Apply writes them, and the values that let
// ApplyAll write only those. A setting that already holds what Apply would
// write from the reference counts as equal, so that a unit once applied
// compares equal to its file even where the window shows a byte differently
// from how it writes it (Read Source 7Fh is written as 3).

#include "config/ConfigEditor.h"
#include "config/ConfigItemTable.h"
#include "config/ItemDescriptions.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zeb40 {

struct SettingDifference {
    const ItemDescription* description;
    std::uint8_t reference; // the reference's byte (the file)
    std::uint8_t other;     // the compared table's byte (the unit)
    // What Apply writes from the reference; nothing when Apply skips the
    // setting because the reference's byte selects no entry or no value.
    std::optional<std::uint8_t> applied;
};

// The byte ApplyAll writes for a setting of a table the window was loaded
// from, or nothing when it skips the setting.
std::optional<std::uint8_t> AppliedItemValue(const ItemDescription& description,
                                             std::uint8_t stored);

// The settings whose bytes differ, unless Apply from the reference would write
// exactly the other's byte. In Apply's order; empty when the two agree.
std::vector<SettingDifference> DifferingSettings(const ConfigItemTable& reference,
                                                 const ConfigItemTable& other);

// ApplyAll's values for the reference with every setting but the differing
// ones left out, so that one batch writes only what differs. The table and
// the differences must outlive the values.
ControlValues ChangedValues(const ConfigItemTable& reference,
                            std::span<const SettingDifference> differences);

} // namespace zeb40
