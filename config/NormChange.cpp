#include "config/NormChange.h"

#include <algorithm>

namespace zeb40 {

std::vector<ReboundValue> ReboundForNorm(const BoundsBasis& basis,
                                         const std::function<int(int item)>& shown) {
    std::vector<ReboundValue> changed;
    for (int item : NormBoundItems()) {
        const ItemDescription& description = *FindItem(item);
        const bool bcd = description.encoding == ItemEncoding::Bcd;
        ItemBounds bounds = *SetItemBounds(item, basis);
        if (bcd)
            bounds = {DecimalFromBcd(bounds.minimum), DecimalFromBcd(bounds.maximum)};
        const int held = shown(item);
        const int bounded = std::clamp(held, bounds.minimum, bounds.maximum);
        if (bounded == held)
            continue;
        changed.push_back({&description, bounded,
                           static_cast<std::uint8_t>(bcd ? BcdFromDecimal(bounded) : bounded)});
    }
    return changed;
}

} // namespace zeb40
