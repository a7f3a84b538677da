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

LinkResult QueryItemStatus(UnitLink& link, ItemStatus& status) {
    ReplyCode code{};
    std::uint32_t word = 0;
    const LinkResult replied =
        link.Query('e', unit_value::ItemStatus, code, word).Expecting(ReplyCode::Value);
    if (replied)
        status = ItemStatus::FromWord(word);
    return replied;
}

ConfigEditor::ConfigEditor(UnitLink& link, ConfigState& config, Operator& op)
    : link_(link), config_(config), op_(op) {}

ItemSetting ConfigEditor::SetItem(int item, int& value, const EditChoices& choices,
                                  MemoryReport& report) {
    ItemSetting setting;
    if (value < 0 || value > HighestItemValue)
        return setting;

    const int original = value;
    if (auto bounds = SetItemBounds(item, {IsNtsc(config_.table), choices.sizeSelection}))
        value = std::clamp(value, bounds->minimum, bounds->maximum);
    setting.bounded = value != original;

    if (choices.autoApply) {
        setting.write = link_.Command('P', static_cast<std::uint32_t>(item));
        if (setting.write)
            setting.write = link_.Command('C', static_cast<std::uint32_t>(value));
        if (!setting.write) {
            report.writeFailed = true;
            OfferReorganize(report);
        }
    }
    if (setting.write) {
        config_.table[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(value & 0xFF);
        config_.modified = true;
    }
    return setting;
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

LinkResult ConfigEditor::ReorganizeConfigMemory(MemoryReport& report) {
    LinkResult reorganized;
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

LinkResult ConfigEditor::ApplyAll(const ControlValues& values, MemoryReport& report) {
    if (!link_.IsOpen())
        return LinkResult::Ok();

    LinkResult result;
    {
        WaitCursor wait(op_);
        link_.CommandLetter('S');
        result = link_.CommandLetter('O');
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
            if (!result)
                continue;
            result = link_.Command('P', static_cast<std::uint32_t>(item));
            if (result)
                result = link_.Command('C', static_cast<std::uint32_t>(stored));
            if (result)
                config_.table[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(stored);
        }
        if (result)
            result = link_.CommandLetter('S');
        RefreshItemCount(report);
    }
    if (!result)
        OfferReorganize(report);
    return result;
}

LinkResult ConfigEditor::SetInsertPosition(InsertPosition& position, const EditChoices& choices,
                                           MemoryReport& report) {
    WaitCursor wait(op_);
    LinkResult result = link_.CommandLetter('O');
    // The presets lie within the bounds, so only the writes can fail.
    result =
        FirstFailure(result, SetItem(item::Horizontal, position.horizontal, choices, report).write);
    result =
        FirstFailure(result, SetItem(item::Vertical, position.vertical, choices, report).write);
    result = FirstFailure(result, link_.CommandLetter('S'));
    RefreshItemCount(report);
    return result;
}

LinkResult ReadConfigFromUnit(UnitLink& link, ConfigItemTable& table,
                              const std::string& configFilePath, Operator& op) {
    if (!link.IsOpen() || !configFilePath.empty())
        return LinkResult::Ok();
    WaitCursor wait(op);
    return ReadItemsFromUnit(link, table, ReadOrder());
}

LinkResult ReadItem(UnitLink& link, int item, std::uint8_t& value) {
    ReplyCode code{};
    std::uint8_t read = 0;
    const LinkResult replied = link.QueryByte('c', static_cast<std::uint32_t>(item), code, read)
                                   .Expecting(ReplyCode::Value);
    if (replied)
        value = read;
    return replied;
}

LinkResult ReadItemsFromUnit(UnitLink& link, ConfigItemTable& table, std::span<const int> items) {
    for (int item : items) {
        if (LinkResult read = ReadItem(link, item, table[static_cast<std::size_t>(item)]); !read)
            return read;
    }
    return LinkResult::Ok();
}

} // namespace zeb40
