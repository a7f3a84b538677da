#pragma once

#include "config/ItemDescriptions.h"

namespace zeb40 {

struct InsertPosition {
    int horizontal = 0;
    int vertical = 0;
};

// Where a position preset puts the inserted timecode along one axis: place 0
// (left or upper) is 10 from the edge, 1 the middle (the maximum halved), 2
// (right or lower) 10 before the maximum.
int PresetPlace(int place, int maximum);

// The preset in column (0 left, 1 centre, 2 right) and row (0 upper, 1
// middle, 2 lower), within the position's bounds for the norm and size.
InsertPosition PresetPosition(int column, int row, const BoundsBasis& basis);

} // namespace zeb40
