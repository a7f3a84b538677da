#pragma once
// What a change of the norm does to the settings that depend on it: their
// values are bounded anew under the new norm and stored without being sent;
// the unit receives them with the next Apply.

#include "config/ItemDescriptions.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace zeb40 {

struct ReboundValue {
    const ItemDescription* description;
    int shown;           // the control's new value (decimal for times)
    std::uint8_t stored; // the item byte for it
};

// The values of NormBoundItems that the new bounds change, in that order.
// shown gives the value a control holds for an item.
std::vector<ReboundValue> ReboundForNorm(const BoundsBasis& basis,
                                         const std::function<int(int item)>& shown);

} // namespace zeb40
