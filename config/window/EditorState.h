#pragma once
// Between the configuration window and the item rules: what the rules read
// from the window's boxes, and how the window shows what they report of the
// unit's configuration memory.

#include "config/ConfigEditor.h"
#include "config/window/ConfigControls.h"
#include "config/window/HeldValues.h"

namespace zeb40 {

// The Auto Apply box and the Size combo as they stand.
EditChoices CurrentChoices(const ConfigControls& controls);

// The items text, Reorganize enabled when items are in use, Apply and Auto
// Apply enabled again and Reorganize disabled after a reorganisation; the
// held values shown again when a count was read.
void ShowMemoryReport(const ConfigControls& controls, HeldValues& held, const MemoryReport& report);

// The item count read from the unit and shown.
void ShowItemCount(ConfigEditor& editor, const ConfigControls& controls, HeldValues& held);

} // namespace zeb40
