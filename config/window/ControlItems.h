#pragma once
// The configuration item that a control of the window edits.

#include "config/ItemDescriptions.h"

namespace zeb40 {

// The item of an edit field, check box or combo; a programming error for
// controls that edit no item.
const ItemDescription& ItemOfControl(int controlId);

} // namespace zeb40
