#pragma once

namespace zeb40 {

// Where a position preset puts the inserted timecode along one axis: place 0
// (left or upper) is 10 from the edge, 1 the middle (the maximum halved), 2
// (right or lower) 10 before the maximum.
int PresetPlace(int place, int maximum);

} // namespace zeb40
