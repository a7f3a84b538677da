// get, set and settings: single settings of the unit or of a configuration
// file, by their stable names.

#include "cli/Commands.h"
#include "cli/ConfigFileAccess.h"
#include "cli/SettingValues.h"
#include "cli/SettingsListing.h"
#include "cli/UnitConnection.h"
#include "config/ConfigEditor.h"
#include "config/ItemDescriptions.h"
#include "config/NormChange.h"

#include <ostream>

namespace zeb40::cli {
namespace {

const ItemDescription* NamedSetting(CliContext& context, const std::string& name) {
    const ItemDescription* description = FindItemByName(name);
    if (!description)
        context.Fail(ExitCode::Usage,
                     "unknown setting '" + name + "'; 'zeb40ctl settings' lists them");
    return description;
}

// set --file: the window without a link, which bounds and stores, then Save.
ExitCode SetInFile(CliContext& context, const ItemDescription& description, int controlValue) {
    const std::string& path = context.invocation.options.at("--file");
    ConfigState config;
    if (!LoadConfigFile(context, path, config))
        return ExitCode::InvalidFile;
    ConfigEditor editor(context.link, config, context.op);
    const EditChoices choices = ShownChoices(config.table, false);
    const std::uint8_t current = config.table[static_cast<std::size_t>(description.item)];
    const int requested = ItemValueFromControl(description, controlValue, current);
    if (description.item == item::Norm) {
        // As the norm combo: the settings that depend on the norm are bounded
        // anew and stored before the norm itself is set.
        config.table[item::Norm] = static_cast<std::uint8_t>(requested);
        const BoundsBasis basis{IsNtsc(config.table), choices.sizeSelection};
        for (const ReboundValue& rebound : ReboundForNorm(basis, ShownValues(config.table)))
            config.table[static_cast<std::size_t>(rebound.description->item)] = rebound.stored;
    }
    int value = requested;
    MemoryReport report;
    editor.SetItem(description.item, value, choices, report);
    if (ExitCode saved = SaveConfigFile(context, path, config); saved != ExitCode::Success)
        return saved;
    const auto stored = static_cast<std::uint8_t>(value & 0xFF);
    const bool bounded = value != requested;
    context.result["setting"] = description.name;
    context.result["item"] = description.item;
    context.result["value"] = DisplayText(description, stored);
    context.result["stored"] = static_cast<int>(stored);
    context.result["requested"] = context.invocation.words[1];
    context.result["bounded"] = bounded;
    if (!context.JsonOutput()) {
        context.out << description.name << " = " << DisplayText(description, stored);
        if (bounded)
            context.out << " (bounded from " << context.invocation.words[1] << ")";
        context.out << "\n";
    }
    return ExitCode::Success;
}

void DescribeValue(CliContext& context, const ItemDescription& description, std::uint8_t stored) {
    context.result["setting"] = description.name;
    context.result["item"] = description.item;
    context.result["value"] = DisplayText(description, stored);
    context.result["stored"] = static_cast<int>(stored);
}

} // namespace

ExitCode RunSettings(CliContext& context) {
    Json& list = context.result["settings"] = Json::array();
    for (const auto& description : SettingItems()) {
        Json entry = Json::object();
        entry["name"] = description.name;
        entry["item"] = description.item;
        entry["group"] = description.group;
        entry["label"] = description.label;
        if (description.encoding == ItemEncoding::Index ||
            description.encoding == ItemEncoding::OffFlag) {
            Json& entries = entry["entries"] = Json::array();
            for (auto text : description.list)
                entries.push_back(text);
        } else if (description.encoding == ItemEncoding::Check) {
            Json& entries = entry["entries"] = Json::array();
            entries.push_back("off");
            entries.push_back("on");
        } else {
            entry["minimum"] = description.fieldMin;
            entry["maximum"] = description.fieldMax;
        }
        list.push_back(std::move(entry));
        if (!context.JsonOutput())
            context.out << description.name << "  (" << description.group << ", "
                        << description.label << "): " << AcceptedValues(description) << "\n";
    }
    return ExitCode::Success;
}

ExitCode RunGet(CliContext& context) {
    const ItemDescription* description = NamedSetting(context, context.invocation.words[0]);
    if (!description)
        return ExitCode::Usage;
    if (context.invocation.Has("--file")) {
        ConfigState config;
        if (!LoadConfigFile(context, context.invocation.options.at("--file"), config))
            return ExitCode::InvalidFile;
        const std::uint8_t stored = config.table[static_cast<std::size_t>(description->item)];
        DescribeValue(context, *description, stored);
        if (!context.JsonOutput())
            context.out << DisplayText(*description, stored) << "\n";
        return ExitCode::Success;
    }
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    std::uint8_t stored = 0;
    if (LinkResult read = ReadItem(context.link, description->item, stored); !read)
        return FailExchange(context, read, "to read " + std::string(description->name));
    DescribeValue(context, *description, stored);
    if (!context.JsonOutput())
        context.out << DisplayText(*description, stored) << "\n";
    return ExitCode::Success;
}

ExitCode RunSet(CliContext& context) {
    const ItemDescription* description = NamedSetting(context, context.invocation.words[0]);
    if (!description)
        return ExitCode::Usage;
    const std::string& text = context.invocation.words[1];
    std::string error;
    auto controlValue = ControlValueFromText(*description, text, error);
    if (!controlValue)
        return context.Fail(ExitCode::Usage,
                            std::string(description->name) + " '" + text + "': " + error);
    if (context.invocation.Has("--file"))
        return SetInFile(context, *description, *controlValue);
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;

    // The bounds depend on the norm and the insert size; "Off" keeps the
    // former source: the unit's own values decide, as in a connected window.
    ConfigState config;
    if (ExitCode read =
            ReadUnitItems(context, config.table, {item::Norm, item::InsertSize, description->item});
        read != ExitCode::Success)
        return read;
    ConfigEditor editor(context.link, config, context.op);
    const EditChoices choices = ShownChoices(config.table, true);
    const std::uint8_t current = config.table[static_cast<std::size_t>(description->item)];
    const int requested = ItemValueFromControl(*description, *controlValue, current);

    int value = requested;
    MemoryReport report;
    ItemSetting setting = editor.SetItem(description->item, value, choices, report);
    if (!setting.write && report.reorganized) {
        // The operator let the unit make room for the setting.
        value = requested;
        setting = editor.SetItem(description->item, value, choices, report);
    }
    editor.RefreshItemCount(report);
    const std::string itemsText = report.count ? ItemsAvailableText(*report.count) : "";
    if (!setting.write)
        return FailWrite(context, setting.write, std::string(description->name));

    const auto stored = static_cast<std::uint8_t>(value & 0xFF);
    const bool bounded = value != requested;
    DescribeValue(context, *description, stored);
    context.result["requested"] = text;
    context.result["bounded"] = bounded;
    context.result["itemsText"] = itemsText;
    if (!context.JsonOutput()) {
        context.out << description->name << " = " << DisplayText(*description, stored);
        if (bounded)
            context.out << " (bounded from " << text << ")";
        context.out << "\n";
        if (!itemsText.empty())
            context.out << itemsText << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
