#include "sim/Profiles.h"

#include "sim/Emulator.h"
#include "sim/FactoryTable.h"

#include <charconv>

namespace zeb40::sim {
namespace {

constexpr std::uint32_t SaveFirst = 0x80;
constexpr std::uint32_t SaveLast = 0x89;
constexpr int HighestProfile = 499;
constexpr std::size_t FirstSettingItem = 12; // bytes below are the file header

std::optional<int> Decimal(const std::string& text) {
    int number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// The profile number from its wire value: decimal digits written as hex.
std::optional<int> ProfileNumber(std::uint32_t wireValue) {
    int number = 0;
    for (int shift = 28; shift >= 0; shift -= 4) {
        const std::uint32_t digit = (wireValue >> shift) & 0xF;
        if (digit > 9)
            return std::nullopt;
        number = number * 10 + static_cast<int>(digit);
    }
    if (number < 1 || number > HighestProfile)
        return std::nullopt;
    return number;
}

Profiles::ItemMemory FactorySettings() {
    Profiles::ItemMemory items{};
    const ItemTable& defaults = FactoryItemTable();
    std::copy(defaults.begin() + FirstSettingItem, defaults.end(),
              items.begin() + FirstSettingItem);
    return items;
}

void LoadInto(UnitState& state, const Profiles::ItemMemory& items) {
    std::copy(items.begin() + FirstSettingItem, items.end(),
              state.items.begin() + FirstSettingItem);
}

} // namespace

std::optional<Response> Profiles::Load(UnitState& state, const ReceivedCommand& command) {
    if (!command.value) {
        LoadInto(state, FactorySettings());
        return Response{"OK"};
    }
    auto number = ProfileNumber(*command.value);
    if (!number)
        return Response{"OV"};
    auto profile = stored_.find(*number);
    if (profile == stored_.end())
        return Response{"PI"};
    LoadInto(state, profile->second);
    return Response{"OK"};
}

std::optional<Response> Profiles::Handle(Emulator& unit, const ReceivedCommand& command) {
    UnitState& state = unit.State();
    if (command.Is('B'))
        return Load(state, command);
    if (command.Is('E') && command.value && *command.value >= SaveFirst &&
        *command.value <= SaveLast) {
        ItemMemory items{};
        std::copy(state.items.begin(), state.items.end(), items.begin());
        // User profile 0 is kept but cannot be loaded by number: 'B' without
        // one is the factory load.
        stored_[static_cast<int>(*command.value - SaveFirst)] = items;
        Response response{"OK"};
        response.busyMs = saveMs_;
        return response;
    }
    return std::nullopt;
}

bool Profiles::Configure(Emulator&, const std::string& key, const std::string& value) {
    auto number = Decimal(value);
    if (!number)
        return false;
    if (key == "save-ms" && *number >= 0) {
        saveMs_ = *number;
        return true;
    }
    if (key == "profile" && *number >= 1 && *number <= HighestProfile) {
        stored_[*number] = FactorySettings();
        return true;
    }
    return false;
}

} // namespace zeb40::sim
