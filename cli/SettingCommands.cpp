// get, set and settings: single settings of the unit or of a configuration
// file, by their stable names.

#include "cli/Commands.h"
#include "cli/ConfigFileAccess.h"
#include "cli/SettingValues.h"
#include "cli/SettingsListing.h"
#include "cli/TableWindowState.h"
#include "cli/UnitConnection.h"
#include "config/ConfigEditor.h"
#include "config/ItemDescriptions.h"

#include <ostream>

namespace zeb40::cli {
namespace {

constexpr int NormItem = 88;
constexpr int SizeItem = 64;

const ItemDescription* NamedSetting(CliContext& context, const std::string& name) {
    const ItemDescription* description = FindItemByName(name);
    if (!description)
        context.Fail(ExitCode::Usage,
                     "unknown setting '" + name + "'; 'zeb40ctl settings' lists them");
    return description;
}

int Clamped(int value, int minimum, int maximum) {
    return value < minimum ? minimum : (value > maximum ? maximum : value);
}

// What the norm combo does before the norm itself is set: the settings that
// depend on the norm are bounded anew and stored, without being sent.
void RebindToNorm(const ConfigEditor& editor, ConfigItemTable& table) {
    const bool ntsc = table[NormItem] == 1;
    auto store = [&table](int item, int value) {
        table[static_cast<std::size_t>(item)] = static_cast<std::uint8_t>(value);
    };
    for (int line : {17, 18, 45, 46}) {
        const int held = table[static_cast<std::size_t>(line)];
        if (const int bounded = Clamped(held, ntsc ? 10 : 6, 30); bounded != held)
            store(line, bounded);
    }
    constexpr int OffsetFramesItem = 32;
    const int frames = DecimalFromBcd(table[OffsetFramesItem]);
    if (const int bounded = Clamped(frames, 0, ntsc ? 29 : 24); bounded != frames)
        store(OffsetFramesItem, BcdFromDecimal(bounded));
    constexpr int WheelItem = 30;
    const int wheel = table[WheelItem];
    if (const int bounded = Clamped(wheel, 1, 99); bounded != wheel)
        store(WheelItem, bounded);
    for (auto [item, maximum] : {std::pair{62, editor.MaxHorizontalPosition()},
                                 std::pair{63, editor.MaxVerticalPosition()}}) {
        const int held = table[static_cast<std::size_t>(item)];
        if (const int bounded = Clamped(held, 0, maximum); bounded != held)
            store(item, bounded);
    }
}

// set --file: the window without a link, which bounds and stores, then Save.
ExitCode SetInFile(CliContext& context, const ItemDescription& description, int controlValue) {
    const std::string& path = context.invocation.options.at("--file");
    ConfigState config;
    if (!LoadConfigFile(context, path, config))
        return ExitCode::InvalidFile;
    TableWindowState window(config.table, false);
    ConfigEditor editor(context.link, config, window, context.op);
    const std::uint8_t current = config.table[static_cast<std::size_t>(description.item)];
    const int requested = ItemValueFromControl(description, controlValue, current);
    if (description.item == NormItem) {
        config.table[NormItem] = static_cast<std::uint8_t>(requested);
        RebindToNorm(editor, config.table);
    }
    int value = requested;
    editor.SetItem(description.item, value);
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
    ReplyCode code{};
    std::uint8_t stored = 0;
    bool exchanged =
        context.link.QueryByte('c', static_cast<std::uint32_t>(description->item), code, stored);
    if (ExitCode outcome = ClassifyReply(exchanged, code, ReplyCode::Value);
        outcome != ExitCode::Success)
        return context.Fail(outcome,
                            outcome == ExitCode::UnitRefused
                                ? "the unit refused to read " + std::string(description->name)
                                : "Communication error");
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
    if (!ReadItemsFromUnit(context.link, config.table, {NormItem, SizeItem, description->item})) {
        ExitCode outcome = ClassifyFailure(context.link);
        return context.Fail(outcome, outcome == ExitCode::UnitRefused
                                         ? "the unit refused to report its settings"
                                         : "Communication error");
    }
    TableWindowState window(config.table);
    ConfigEditor editor(context.link, config, window, context.op);
    const std::uint8_t current = config.table[static_cast<std::size_t>(description->item)];
    const int requested = ItemValueFromControl(*description, *controlValue, current);

    int value = requested;
    editor.SetItem(description->item, value);
    if (!config.modified && window.Reorganized()) {
        // The operator let the unit make room for the setting.
        value = requested;
        editor.SetItem(description->item, value);
    }
    editor.RefreshItemCount();
    if (!config.modified) {
        ExitCode outcome = ClassifyFailure(context.link);
        return context.Fail(outcome, outcome == ExitCode::UnitRefused
                                         ? "the unit refused " + std::string(description->name)
                                         : "Communication error");
    }

    const auto stored = static_cast<std::uint8_t>(value & 0xFF);
    const bool bounded = value != requested;
    DescribeValue(context, *description, stored);
    context.result["requested"] = text;
    context.result["bounded"] = bounded;
    context.result["itemsText"] = window.ItemsText();
    if (!context.JsonOutput()) {
        context.out << description->name << " = " << DisplayText(*description, stored);
        if (bounded)
            context.out << " (bounded from " << text << ")";
        context.out << "\n";
        if (!window.ItemsText().empty())
            context.out << window.ItemsText() << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
