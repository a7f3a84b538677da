#include "cli/SettingsListing.h"

#include "cli/SettingValues.h"
#include "config/ItemDescriptions.h"

#include <ostream>

namespace zeb40::cli {
namespace {

std::string Padded(std::string_view text, std::size_t width) {
    std::string padded(text);
    if (padded.size() < width)
        padded.append(width - padded.size(), ' ');
    else
        padded += ' ';
    return padded;
}

// "Auto (7Fh)": the byte, for two values the window shows alike.
std::string WithByte(const std::string& shown, std::uint8_t stored) {
    constexpr char Digits[] = "0123456789ABCDEF";
    return shown + " (" + Digits[stored >> 4] + Digits[stored & 0x0F] + "h)";
}

} // namespace

void ListSettings(CliContext& context, const ConfigItemTable& table) {
    Json& list = context.result["settings"] = Json::array();
    for (const auto& description : SettingItems()) {
        const std::uint8_t stored = table[static_cast<std::size_t>(description.item)];
        const std::string shown = DisplayText(description, stored);
        Json entry = Json::object();
        entry["name"] = description.name;
        entry["item"] = description.item;
        entry["group"] = description.group;
        entry["label"] = description.label;
        entry["value"] = shown;
        entry["stored"] = static_cast<int>(stored);
        list.push_back(std::move(entry));
        if (!context.JsonOutput())
            context.out << Padded(description.name, 24) << Padded(description.group, 15)
                        << Padded(description.label, 16) << shown << "\n";
    }
}

void ListDifferences(CliContext& context, std::span<const SettingDifference> differences,
                     bool printed) {
    Json& list = context.result["differences"] = Json::array();
    for (const auto& difference : differences) {
        const ItemDescription& description = *difference.description;
        std::string reference = DisplayText(description, difference.reference);
        std::string other = DisplayText(description, difference.other);
        Json entry = Json::object();
        entry["name"] = description.name;
        entry["item"] = description.item;
        entry["group"] = description.group;
        entry["label"] = description.label;
        entry["values"] = Json::array({reference, other});
        entry["stored"] = Json::array(
            {static_cast<int>(difference.reference), static_cast<int>(difference.other)});
        list.push_back(std::move(entry));
        if (!printed || context.JsonOutput())
            continue;
        if (reference == other) {
            reference = WithByte(reference, difference.reference);
            other = WithByte(other, difference.other);
        }
        context.out << Padded(description.name, 24) << Padded(description.group, 15)
                    << Padded(description.label, 16) << Padded(reference, 22) << other << "\n";
    }
}

} // namespace zeb40::cli
