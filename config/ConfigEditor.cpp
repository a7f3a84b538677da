#include "config/ConfigEditor.h"

#include "config/ItemDescriptions.h"
#include "resources/Placeholder.h"
#include "resources/Strings.h"

#include <string>

namespace zeb40 {
namespace {

constexpr int NormItem = 88;
constexpr int NtscNorm = 1;
constexpr int SmallSize = 0;
constexpr int HighestItemValue = 254; // 255 is never written

bool IsNtsc(const ConfigItemTable& table) {
    return table[NormItem] == NtscNorm;
}

std::string FormatItemsAvailable(int freeItems) {
    return strings::FillPlaceholder(strings::ItemsAvailable, std::to_string(freeItems));
}

} // namespace

bool QueryItemStatus(UnitLink& link, ItemStatus& status) {
    ReplyCode code{};
    std::uint32_t word = 0;
    if (!link.Query('e', unit_value::ItemStatus, code, word) || code != ReplyCode::Value)
        return false;
    status = ItemStatus::FromWord(word);
    return true;
}

ConfigEditor::ConfigEditor(UnitLink& link, ConfigState& config, ConfigWindowState& window,
                           Operator& op)
    : link_(link), config_(config), window_(window), op_(op) {}

int ConfigEditor::MaxHorizontalPosition() const {
    return window_.SizeSelection() == SmallSize ? 126 : 69;
}

int ConfigEditor::MaxVerticalPosition() const {
    const bool ntsc = IsNtsc(config_.table);
    if (window_.SizeSelection() == SmallSize)
        return ntsc ? 111 : 135;
    return ntsc ? 103 : 127;
}

bool ConfigEditor::SetItem(int item, int& value) {
    if (value < 0 || value > HighestItemValue)
        return false;

    const int original = value;
    const bool ntsc = IsNtsc(config_.table);
    switch (item) {
    case 17:
    case 18:
    case 45:
    case 46: {
        const int lowestLine = ntsc ? 10 : 6;
        if (value < lowestLine)
            value = lowestLine;
        else if (value > 30)
            value = 30;
        break;
    }
    case 24:
    case 32: {
        const int lastFrame = ntsc ? 0x29 : 0x24;
        if (value > lastFrame)
            value = lastFrame;
        break;
    }
    case 30:
        if (value == 0)
            value = 1;
        else if (value > 99)
            value = 99;
        break;
    case 62:
        if (value > MaxHorizontalPosition())
            value = MaxHorizontalPosition();
        break;
    case 63:
        if (value > MaxVerticalPosition())
            value = MaxVerticalPosition();
        break;
    case 90:
        if (value == 0)
            value = 1;
        else if (value > 7)
            value = 7;
        break;
    default:
        break;
    }
    const bool bounded = value != original;

    bool written = true;
    if (window_.AutoApplyChecked()) {
        written = link_.Command('P', static_cast<std::uint32_t>(item)) &&
                  link_.Command('C', static_cast<std::uint32_t>(value));
        if (!written)
            OfferReorganize();
    }
    if (written) {
        config_.table[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(value & 0xFF);
        config_.modified = true;
    }
    return bounded || !written;
}

void ConfigEditor::RefreshItemCount() {
    if (!link_.IsOpen())
        return;
    ItemStatus status;
    if (!QueryItemStatus(link_, status))
        return;
    window_.SetItemsText(FormatItemsAvailable(status.Free()));
    if (status.inUse != 0 && !window_.ReorganizeEnabled())
        window_.SetReorganizeEnabled(true);
    window_.ShowHeldValues();
}

void ConfigEditor::OfferReorganize() {
    ItemStatus status;
    if (!QueryItemStatus(link_, status) || !status.NoneLeft())
        return;
    const Answer answer = op_.Ask(strings::NoItemsLeftQuestion(), strings::ReorganizeCaption,
                                  Buttons::OkCancel, MessageIcon::Warning, Answer::Cancel);
    if (answer == Answer::Ok)
        ReorganizeConfigMemory();
}

bool ConfigEditor::ReorganizeConfigMemory() {
    bool reorganized = false;
    {
        WaitCursor wait(op_);
        link_.CommandLetter('S');
        // The unit is idle for some seconds while it reorganises.
        const int previousTimeout = link_.SetReadTimeout(5000);
        reorganized = link_.CommandLetter('Q');
        link_.SetReadTimeout(previousTimeout);
        RefreshItemCount();
    }
    if (reorganized) {
        window_.SetApplyEnabled(true);
        window_.SetAutoApplyEnabled(true);
        window_.SetReorganizeEnabled(false);
    } else {
        op_.ShowMessage(strings::CommunicationError, strings::ErrorCaption, MessageIcon::Warning);
    }
    return reorganized;
}

bool ConfigEditor::ApplyAll() {
    if (!link_.IsOpen())
        return true;

    bool result = false;
    {
        WaitCursor wait(op_);
        window_.TakeControlValues();
        link_.CommandLetter('S');
        bool ok = link_.CommandLetter('O');
        for (int item : ApplyOrder()) {
            const ItemDescription& description = *FindItem(item);
            const int shown = window_.ControlValue(item);
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
        RefreshItemCount();
    }
    if (!result)
        OfferReorganize();
    return result;
}

bool ReadConfigFromUnit(UnitLink& link, ConfigItemTable& table, const std::string& configFilePath,
                        Operator& op) {
    if (!link.IsOpen() || !configFilePath.empty())
        return true;
    WaitCursor wait(op);
    for (int item : ReadOrder()) {
        ReplyCode code{};
        std::uint8_t value = 0;
        if (!link.QueryByte('c', static_cast<std::uint32_t>(item), code, value))
            return false;
        // A refusal carries no value: the item keeps the one it had.
        if (code != ReplyCode::Value)
            return false;
        table[static_cast<std::size_t>(item)] = value;
    }
    return true;
}

} // namespace zeb40
