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

} // namespace zeb40
