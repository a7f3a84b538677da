#include "config/window/SettingBinding.h"

#include "config/window/SettingEncodings.h"

#include <stdexcept>
#include <string>

namespace zeb40 {

SettingBindings::SettingBindings() {
    for (const ItemDescription& description : SettingItems())
        bindings_.push_back({&description, &EncodingOf(description.encoding), {}});
}

const SettingBinding& SettingBindings::Of(int item) const {
    for (const SettingBinding& binding : bindings_) {
        if (binding.Item() == item)
            return binding;
    }
    throw std::logic_error("no setting " + std::to_string(item));
}

const SettingBinding& SettingBindings::Named(std::string_view name) const {
    for (const SettingBinding& binding : bindings_) {
        if (binding.description->name == name)
            return binding;
    }
    throw std::logic_error("no setting named " + std::string(name));
}

SettingWidgets& SettingBindings::WidgetsOf(std::string_view name) {
    for (SettingBinding& binding : bindings_) {
        if (binding.description->name == name)
            return binding.widgets;
    }
    throw std::logic_error("no setting named " + std::string(name));
}

} // namespace zeb40
