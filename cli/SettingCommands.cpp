// get, set and settings: single settings of the unit by their stable names.

#include "cli/Commands.h"
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

void DescribeValue(CliContext& context, const ItemDescription& description, std::uint8_t stored) {
    context.result.Set("setting", description.name);
    context.result.Set("item", description.item);
    context.result.Set("value", DisplayText(description, stored));
    context.result.Set("stored", static_cast<int>(stored));
}

} // namespace

ExitCode RunSettings(CliContext& context) {
    Json& list = context.result.Set("settings", Json::Array());
    for (const auto& description : SettingItems()) {
        Json entry = Json::Object();
        entry.Set("name", description.name);
        entry.Set("item", description.item);
        entry.Set("group", description.group);
        entry.Set("label", description.label);
        if (description.encoding == ItemEncoding::Index ||
            description.encoding == ItemEncoding::OffFlag) {
            Json& entries = entry.Set("entries", Json::Array());
            for (auto text : description.list)
                entries.Push(text);
        } else if (description.encoding == ItemEncoding::Check) {
            Json& entries = entry.Set("entries", Json::Array());
            entries.Push("off");
            entries.Push("on");
        } else {
            entry.Set("minimum", description.fieldMin);
            entry.Set("maximum", description.fieldMax);
        }
        list.Push(std::move(entry));
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
    context.result.Set("requested", text);
    context.result.Set("bounded", bounded);
    context.result.Set("itemsText", window.ItemsText());
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
