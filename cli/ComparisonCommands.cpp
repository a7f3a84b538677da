// diff, verify and apply --changed: a unit, or a second file, compared with
// a configuration file, and only what differs written back.

#include "cli/Commands.h"
#include "cli/ConfigFileAccess.h"
#include "cli/SettingsListing.h"
#include "cli/UnitConnection.h"
#include "config/ConfigEditor.h"
#include "config/SettingDifferences.h"
#include "resources/Strings.h"

#include <ostream>

namespace zeb40::cli {
namespace {

// The unit's 45 settings over the table's other bytes, which no comparison
// looks at. Reports the failure, as read does.
ExitCode ReadUnitSettings(CliContext& context, ConfigItemTable& table) {
    if (LinkResult read = ReadConfigFromUnit(context.link, table, "", context.op); !read)
        return FailExchange(context, read, "to report its settings");
    return ExitCode::Success;
}

ExitCode ConnectAndRead(CliContext& context, ConfigItemTable& table) {
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    return ReadUnitSettings(context, table);
}

std::string SettingsCount(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " setting" : " settings");
}

// "1 setting differs", "3 settings differ".
std::string DifferCount(std::size_t count) {
    return SettingsCount(count) + (count == 1 ? " differs" : " differ");
}

std::string Names(const std::vector<SettingDifference>& differences) {
    std::string names;
    for (const auto& difference : differences) {
        if (!names.empty())
            names += ", ";
        names += difference.description->name;
    }
    return names;
}

// Exit code 9 carries its reason in "error" too, as every other code does,
// so that the summary of several units shows it; nothing goes to stderr.
ExitCode Differ(CliContext& context, const std::string& message) {
    context.result["error"] = message;
    return ExitCode::Differ;
}

// The differences that Apply has a value for; the others it leaves alone.
std::vector<SettingDifference> Writable(const std::vector<SettingDifference>& differences) {
    std::vector<SettingDifference> writable;
    for (const auto& difference : differences) {
        if (difference.applied)
            writable.push_back(difference);
    }
    return writable;
}

} // namespace

ExitCode RunDiff(CliContext& context) {
    const auto& words = context.invocation.words;
    ConfigState reference;
    if (!LoadConfigFile(context, words[0], reference))
        return ExitCode::InvalidFile;
    ConfigItemTable other = reference.table;
    if (words.size() > 1) {
        ConfigState second;
        if (!LoadConfigFile(context, words[1], second))
            return ExitCode::InvalidFile;
        other = second.table;
        context.result["file"] = words[0];
        context.result["otherFile"] = words[1];
    } else if (ExitCode read = ConnectAndRead(context, other); read != ExitCode::Success) {
        return read;
    }
    context.link.CloseIfOpen();
    const auto differences = DifferingSettings(reference.table, other);
    ListDifferences(context, differences, true);
    if (differences.empty())
        return ExitCode::Success;
    return Differ(context, DifferCount(differences.size()));
}

ExitCode RunVerify(CliContext& context) {
    const std::string& path = context.invocation.words[0];
    ConfigState reference;
    if (!LoadConfigFile(context, path, reference))
        return ExitCode::InvalidFile;
    ConfigItemTable unit = reference.table;
    if (ExitCode read = ConnectAndRead(context, unit); read != ExitCode::Success)
        return read;
    context.link.CloseIfOpen();
    const auto differences = DifferingSettings(reference.table, unit);
    ListDifferences(context, differences, false);
    if (differences.empty()) {
        if (!context.JsonOutput())
            context.out << "Settings as in " << path << "\n";
        return ExitCode::Success;
    }
    const std::string line =
        DifferCount(differences.size()) + " from " + path + ": " + Names(differences);
    if (!context.JsonOutput())
        context.out << line << "\n";
    return Differ(context, line);
}

ExitCode RunApplyChanged(CliContext& context) {
    ConfigState config;
    if (!LoadConfigFile(context, context.invocation.words[0], config))
        return ExitCode::InvalidFile;
    ConfigItemTable unit = config.table;
    if (ExitCode read = ConnectAndRead(context, unit); read != ExitCode::Success)
        return read;
    const auto changed = Writable(DifferingSettings(config.table, unit));
    Json names = Json::array();
    for (const auto& difference : changed)
        names.push_back(difference.description->name);
    context.result["changed"] = names;
    if (changed.empty()) {
        context.result["itemsText"] = "";
        if (!context.JsonOutput())
            context.out << "Nothing to apply\n";
        return ExitCode::Success;
    }

    ConfigEditor editor(context.link, config, context.op);
    MemoryReport report;
    LinkResult applied = editor.ApplyAll(ChangedValues(config.table, changed), report);
    if (!applied && report.reorganized) {
        // The operator let the unit make room: what went in before the memory
        // was full is read back, and only what still differs is written.
        report.reorganized = false;
        if (ExitCode read = ReadUnitSettings(context, unit); read != ExitCode::Success)
            return read;
        const auto remaining = Writable(DifferingSettings(config.table, unit));
        applied = remaining.empty()
                      ? LinkResult::Ok()
                      : editor.ApplyAll(ChangedValues(config.table, remaining), report);
    }
    const std::string itemsText = report.count ? ItemsAvailableText(*report.count) : "";
    context.result["itemsText"] = itemsText;
    if (!applied)
        return FailWrite(context, applied, "the settings");
    if (!context.JsonOutput()) {
        context.out << SettingsCount(changed.size()) << " applied (" << Names(changed) << ")";
        if (!itemsText.empty())
            context.out << "; " << itemsText;
        context.out << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
