#include "sim/ConfigMemory.h"

#include "sim/Emulator.h"
#include "sim/FactoryTable.h"
#include "sim/HexText.h"

#include <charconv>

namespace zeb40::sim {
namespace {

constexpr std::uint32_t HighestItemValue = 254;
constexpr int MaxCapacity = 0xFF; // the capacity field of the status word is 8 bits wide
constexpr std::uint32_t ItemStatusValue = 0x95;

std::optional<int> DecimalSetting(const std::string& text, int highest) {
    int number = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc{} || stop != end || number < 0 || number > highest)
        return std::nullopt;
    return number;
}

} // namespace

ConfigMemory::ConfigMemory(Emulator& unit) {
    unit.State().items = FactoryItemTable();
}

bool ConfigMemory::TakeSlot() {
    if (inUse_ >= capacity_)
        return false;
    ++inUse_;
    return true;
}

std::optional<Response> ConfigMemory::Handle(Emulator& unit, const ReceivedCommand& command) {
    UnitState& state = unit.State();
    switch (command.letter) {
    // The write itself is left to the extensions that keep the items; here
    // it only uses a slot, or is refused when none is left.
    case 'C':
        if (!command.value || *command.value > HighestItemValue)
            return std::nullopt;
        return TakeSlot() ? std::nullopt : std::optional<Response>(Response{"OV"});
    case 'L':
        if (!command.value || state.itemPointer + 4u > state.items.size())
            return std::nullopt;
        return TakeSlot() ? std::nullopt : std::optional<Response>(Response{"OV"});
    case 'Q': {
        inUse_ = 0;
        Response response{"OK"};
        response.busyMs = reorganizeMs_;
        return response;
    }
    default:
        return std::nullopt;
    }
}

std::optional<std::string> ConfigMemory::UnitValue(Emulator& unit, std::uint32_t number) {
    (void)unit;
    if (number != ItemStatusValue)
        return std::nullopt;
    const auto word = static_cast<std::uint32_t>(capacity_ & 0xFF) |
                      (static_cast<std::uint32_t>(inUse_ & 0xFF) << 16);
    return FormatHex(word);
}

bool ConfigMemory::Configure(Emulator& unit, const std::string& key, const std::string& value) {
    (void)unit;
    if (key == "capacity") {
        auto number = DecimalSetting(value, MaxCapacity);
        if (!number)
            return false;
        capacity_ = *number;
        return true;
    }
    if (key == "reorganize-ms") {
        auto number = DecimalSetting(value, 600000);
        if (!number)
            return false;
        reorganizeMs_ = *number;
        return true;
    }
    return false;
}

} // namespace zeb40::sim
