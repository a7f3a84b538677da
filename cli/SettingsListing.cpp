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

} // namespace zeb40::cli
