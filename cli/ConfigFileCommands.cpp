// read, show, new and apply: the unit's settings and configuration files.

#include "cli/Commands.h"
#include "cli/ConfigFileAccess.h"
#include "cli/SettingsListing.h"
#include "cli/UnitConnection.h"
#include "config/ConfigEditor.h"

#include <ostream>

namespace zeb40::cli {

ExitCode RunShow(CliContext& context) {
    ConfigState config;
    if (!LoadConfigFile(context, context.invocation.words[0], config))
        return ExitCode::InvalidFile;
    ListSettings(context, config.table);
    return ExitCode::Success;
}

ExitCode RunRead(CliContext& context) {
    const bool toFile = context.invocation.Has("--output");
    const std::string path = toFile ? context.invocation.options.at("--output") : std::string();
    if (toFile && path.empty())
        return context.Fail(ExitCode::Usage, "--output needs a file name");
    // Asked before the unit is read, so that a refusal costs no exchange.
    if (toFile) {
        if (ExitCode confirmed = ConfirmReplace(context, path); confirmed != ExitCode::Success)
            return confirmed;
    }
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    ConfigState config;
    if (LinkResult read = ReadConfigFromUnit(context.link, config.table, "", context.op); !read)
        return FailExchange(context, read, "to report its settings");
    context.link.CloseIfOpen();
    if (!toFile) {
        ListSettings(context, config.table);
        return ExitCode::Success;
    }
    if (ExitCode saved = SaveConfigFile(context, path, config); saved != ExitCode::Success)
        return saved;
    if (!context.JsonOutput())
        context.out << "Settings written to " << path << "\n";
    return ExitCode::Success;
}

ExitCode RunNew(CliContext& context) {
    const std::string& path = context.invocation.words[0];
    if (ExitCode confirmed = ConfirmReplace(context, path); confirmed != ExitCode::Success)
        return confirmed;
    ConfigState config;
    if (ExitCode saved = SaveConfigFile(context, path, config); saved != ExitCode::Success)
        return saved;
    if (!context.JsonOutput())
        context.out << "Default settings written to " << path << "\n";
    return ExitCode::Success;
}

ExitCode RunApply(CliContext& context) {
    if (context.invocation.Has("--changed"))
        return RunApplyChanged(context);
    ConfigState config;
    if (!LoadConfigFile(context, context.invocation.words[0], config))
        return ExitCode::InvalidFile;
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    ConfigEditor editor(context.link, config, context.op);
    MemoryReport report;
    LinkResult applied = editor.ApplyAll(ShownValues(config.table), report);
    if (!applied && report.reorganized) {
        // The operator let the unit make room for the settings.
        report.reorganized = false;
        applied = editor.ApplyAll(ShownValues(config.table), report);
    }
    const std::string itemsText = report.count ? ItemsAvailableText(*report.count) : "";
    context.result["itemsText"] = itemsText;
    if (!applied)
        return FailWrite(context, applied, "the settings");
    context.result["settingsApplied"] = SettingsApplyWrites(config.table);
    if (!context.JsonOutput()) {
        context.out << AppliedStatement(config.table);
        if (!itemsText.empty())
            context.out << "; " << itemsText;
        context.out << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
