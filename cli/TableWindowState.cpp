#include "cli/TableWindowState.h"

#include "config/ItemDescriptions.h"

namespace zeb40::cli {

namespace {
constexpr int SizeItem = 64;
} // namespace

int TableWindowState::SizeSelection() const {
    return ControlValue(SizeItem);
}

int TableWindowState::ControlValue(int item) const {
    const ItemDescription* description = FindItem(item);
    if (!description)
        return -1;
    return ControlValueFromItem(*description, table_[static_cast<std::size_t>(item)]);
}

} // namespace zeb40::cli
