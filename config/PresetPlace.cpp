#include "config/PresetPlace.h"

namespace zeb40 {

int PresetPlace(int place, int maximum) {
    constexpr int EdgeDistance = 10;
    switch (place) {
    case 0:
        return EdgeDistance;
    case 1:
        return maximum / 2;
    default:
        return maximum - EdgeDistance;
    }
}

InsertPosition PresetPosition(int column, int row, const BoundsBasis& basis) {
    return {PresetPlace(column, MaxHorizontalPosition(basis.sizeSelection)),
            PresetPlace(row, MaxVerticalPosition(basis.ntsc, basis.sizeSelection))};
}

} // namespace zeb40
