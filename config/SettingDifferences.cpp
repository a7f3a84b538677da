#include "config/SettingDifferences.h"

#include <algorithm>

namespace zeb40 {
namespace {

constexpr int HighestItemValue = 254; // 255 is never written

} // namespace

std::optional<std::uint8_t> AppliedItemValue(const ItemDescription& description,
                                             std::uint8_t stored) {
    const int shown = ControlValueFromItem(description, stored);
    if (shown < 0 || shown > HighestItemValue)
        return std::nullopt;
    int written = shown;
    if (description.encoding == ItemEncoding::Bcd)
        written = BcdFromDecimal(shown);
    else if (description.encoding == ItemEncoding::OffFlag && shown == description.offEntry)
        written = (stored & 0x7F) | 0x80;
    if (written > HighestItemValue)
        return std::nullopt;
    return static_cast<std::uint8_t>(written);
}

std::vector<SettingDifference> DifferingSettings(const ConfigItemTable& reference,
                                                 const ConfigItemTable& other) {
    std::vector<SettingDifference> differences;
    for (int item : ApplyOrder()) {
        const auto index = static_cast<std::size_t>(item);
        if (reference[index] == other[index])
            continue;
        const ItemDescription& description = *FindItem(item);
        const auto applied = AppliedItemValue(description, reference[index]);
        if (applied == other[index])
            continue;
        differences.push_back({&description, reference[index], other[index], applied});
    }
    return differences;
}

ControlValues ChangedValues(const ConfigItemTable& reference,
                            std::span<const SettingDifference> differences) {
    return [&reference, differences](int item) {
        const bool differs =
            std::any_of(differences.begin(), differences.end(),
                        [item](const SettingDifference& d) { return d.description->item == item; });
        return differs ? ShownValues(reference)(item) : -1;
    };
}

} // namespace zeb40
