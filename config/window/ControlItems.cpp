#include "config/window/ControlItems.h"

#include <stdexcept>
#include <string>

namespace zeb40 {

const ItemDescription& ItemOfControl(int controlId) {
    for (const auto& description : SettingItems()) {
        if (description.controlId == controlId)
            return description;
    }
    throw std::logic_error("no item for control " + std::to_string(controlId));
}

} // namespace zeb40
