#include "config/ConfigEditor.h"

#include "config/ItemDescriptions.h"
#include "resources/Placeholder.h"
#include "resources/Strings.h"

#include <algorithm>
#include <string>

namespace zeb40 {
namespace {

constexpr int HighestItemValue = 254; // 255 is never written

} // namespace

std::string ItemsAvailableText(const ItemStatus& status) {
    return strings::FillPlaceholder(strings::ItemsAvailable, std::to_string(status.Free()));
}

ControlValues ShownValues(const ConfigItemTable& table) {
    return [&table](int item) {
        return ControlValueFromItem(*FindItem(item), table[static_cast<std::size_t>(item)]);
    };
}

EditChoices ShownChoices(const ConfigItemTable& table, bool autoApply) {
    return {autoApply, ShownValues(table)(item::InsertSize)};
}

bool QueryItemStatus(UnitLink& link, ItemStatus& status, bool* exchanged) {
    ReplyCode code{};
    std::uint32_t word = 0;
    const bool replied = link.Query('e', unit_value::ItemStatus, code, word);
    if (exchanged)
        *exchanged = replied;
    if (!replied || code != ReplyCode::Value)
        return false;
    status = ItemStatus::FromWord(word);
    return true;
}

ConfigEditor::ConfigEditor(UnitLink& link, ConfigState& config, Operator& op)
    : link_(link), config_(config), op_(op) {}

bool ConfigEditor::SetItem(int item, int& value, const EditChoices& choices, MemoryReport& report) {
    if (value < 0 || value > HighestItemValue)
        return false;

    const int original = value;
    if (auto bounds = SetItemBounds(item, {IsNtsc(config_.table), choices.sizeSelection}))
        value = std::clamp(value, bounds->minimum, bounds->maximum);
    const bool bounded = value != original;

    bool written = true;
    if (choices.autoApply) {
        written = link_.Command('P', static_cast<std::uint32_t>(item)) &&
                  link_.Command('C', static_cast<std::uint32_t>(value));
        if (!written) {
            report.writeFailed = true;
            OfferReorganize(report);
        }
    }
    if (written) {
        config_.table[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(value & 0xFF);
        config_.modified = true;
    }
    return bounded || !written;
}

void ConfigEditor::RefreshItemCount(MemoryReport& report) {
    if (!link_.IsOpen())
        return;
    ItemStatus status;
    if (!QueryItemStatus(link_, status))
        return;
    report.count = status;
    report.slotsInUse = report.slotsInUse || status.inUse != 0;
}

void ConfigEditor::OfferReorganize(MemoryReport& report) {
    ItemStatus status;
    if (!QueryItemStatus(link_, status) || !status.NoneLeft())
        return;
    const Answer answer = op_.Ask(strings::NoItemsLeftQuestion(), strings::ReorganizeCaption,
                                  Buttons::OkCancel, MessageIcon::Warning, Answer::Cancel);
    report.reorganizeOffered = true;
    if (answer == Answer::Ok)
        ReorganizeConfigMemory(report);
}

bool ConfigEditor::ReorganizeConfigMemory(MemoryReport& report) {
    bool reorganized = false;
    {
        WaitCursor wait(op_);
        // The unit stays silent for seconds: the windows show the closed
        // question gone and the wait cursor before the thread blocks.
        op_.PumpMessages();
        link_.CommandLetter('S');
        // The unit is idle for some seconds while it reorganises.
        reorganized = link_.CommandLetter('Q', ReplyWait::Reorganize);
        RefreshItemCount(report);
    }
    if (reorganized)
        report.reorganized = true;
    else
        op_.ShowMessage(strings::CommunicationError, strings::ErrorCaption, MessageIcon::Warning);
    return reorganized;
}

bool ConfigEditor::ApplyAll(const ControlValues& values, MemoryReport& report) {
    if (!link_.IsOpen())
        return true;

    bool result = false;
    {
        WaitCursor wait(op_);
        link_.CommandLetter('S');
        bool ok = link_.CommandLetter('O');
        for (int item : ApplyOrder()) {
            const ItemDescription& description = *FindItem(item);
            const int shown = values(item);
            if (shown < 0 || shown > HighestItemValue)
                continue;
            int stored = shown;
            const std::uint8_t current = config_.table[static_cast<std::size_t>(item)];
            if (description.encoding == ItemEncoding::Bcd)
                stored = BcdFromDecimal(shown);
            else if (description.encoding == ItemEncoding::OffFlag && shown == description.offEntry)
                stored = (current & 0x7F) | 0x80;
            // A time field left out of range by a failed validation has no BCD byte.
            if (stored > HighestItemValue)
                continue;
            if (!ok)
                continue;
            ok = link_.Command('P', static_cast<std::uint32_t>(item)) &&
                 link_.Command('C', static_cast<std::uint32_t>(stored));
            if (ok)
                config_.table[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(stored);
        }
        result = ok && link_.CommandLetter('S');
        RefreshItemCount(report);
    }
    if (!result)
        OfferReorganize(report);
    return result;
}

bool ConfigEditor::SetInsertPosition(InsertPosition& position, const EditChoices& choices,
                                     MemoryReport& report) {
    WaitCursor wait(op_);
    link_.CommandLetter('O');
    // The presets lie within the bounds, so true can only mean a failed write.
    bool failed = SetItem(item::Horizontal, position.horizontal, choices, report);
    failed = SetItem(item::Vertical, position.vertical, choices, report) || failed;
    link_.CommandLetter('S');
    RefreshItemCount(report);
    return failed;
}

bool ReadConfigFromUnit(UnitLink& link, ConfigItemTable& table, const std::string& configFilePath,
                        Operator& op) {
    if (!link.IsOpen() || !configFilePath.empty())
        return true;
    WaitCursor wait(op);
    return ReadItemsFromUnit(link, table, ReadOrder());
}

std::optional<std::uint8_t> ReadItem(UnitLink& link, int item, bool* exchanged) {
    ReplyCode code{};
    std::uint8_t value = 0;
    const bool replied = link.QueryByte('c', static_cast<std::uint32_t>(item), code, value);
    if (exchanged)
        *exchanged = replied;
    // A refusal carries no value.
    if (!replied || code != ReplyCode::Value)
        return std::nullopt;
    return value;
}

bool ReadItemsFromUnit(UnitLink& link, ConfigItemTable& table, std::span<const int> items) {
    for (int item : items) {
        const auto value = ReadItem(link, item);
        if (!value)
            return false;
        table[static_cast<std::size_t>(item)] = *value;
    }
    return true;
}

} // namespace zeb40
