// read, show and apply: the unit's settings and configuration files.

#include "cli/Commands.h"
#include "cli/SettingsListing.h"
#include "cli/TableWindowState.h"
#include "cli/UnitConnection.h"
#include "config/ConfigEditor.h"
#include "files/ConfigFile.h"
#include "resources/Strings.h"

#include <filesystem>
#include <ostream>

namespace zeb40::cli {
namespace {

// Reads the file into the configuration; reports why it cannot be used.
bool LoadFile(CliContext& context, const std::string& path, ConfigState& config) {
    ConfigDocument document;
    document.path = path;
    context.result.Set("file", path);
    context.op.SetSubject(path);
    const std::size_t messagesBefore = context.op.Messages().size();
    const bool read = ReadConfigFile(document, config, context.op);
    if (!read && context.op.Messages().size() == messagesBefore)
        context.op.Error(strings::NotValidZebFile);
    context.op.SetSubject({});
    if (!read)
        context.result.Set("error", context.op.Messages().back());
    return read;
}

} // namespace

ExitCode RunShow(CliContext& context) {
    ConfigState config;
    if (!LoadFile(context, context.invocation.words[0], config))
        return ExitCode::InvalidFile;
    ListSettings(context, config.table);
    return ExitCode::Success;
}

ExitCode RunRead(CliContext& context) {
    const bool toFile = context.invocation.Has("--output");
    const std::string path = toFile ? context.invocation.options.at("--output") : std::string();
    if (toFile && path.empty())
        return context.Fail(ExitCode::Usage, "--output needs a file name");
    if (toFile) {
        std::error_code error;
        // Asked before the unit is read, so that a refusal costs no exchange.
        if (std::filesystem::exists(path, error) &&
            context.op.Ask(path + " already exists. Do you want to replace it?",
                           strings::ApplicationName, Buttons::OkCancel, MessageIcon::Warning,
                           Answer::Cancel) != Answer::Ok) {
            context.result.Set("error", "not replaced: " + path);
            return ExitCode::Declined;
        }
    }
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    ConfigState config;
    if (!ReadConfigFromUnit(context.link, config.table, "", context.op)) {
        ExitCode outcome = ClassifyFailure(context.link);
        return context.Fail(outcome, outcome == ExitCode::UnitRefused
                                         ? "the unit refused to report its settings"
                                         : strings::CommunicationError);
    }
    context.link.CloseIfOpen();
    if (!toFile) {
        ListSettings(context, config.table);
        return ExitCode::Success;
    }
    ConfigDocument document;
    document.path = path;
    context.op.SetSubject(path);
    const bool written = WriteConfigFile(document, config, context.op);
    context.op.SetSubject({});
    context.result.Set("file", path);
    if (!written) {
        context.result.Set("error", context.op.Messages().back());
        return ExitCode::InvalidFile;
    }
    if (!context.JsonOutput())
        context.out << "Settings written to " << path << "\n";
    return ExitCode::Success;
}

ExitCode RunApply(CliContext& context) {
    ConfigState config;
    if (!LoadFile(context, context.invocation.words[0], config))
        return ExitCode::InvalidFile;
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    TableWindowState window(config.table);
    ConfigEditor editor(context.link, config, window, context.op);
    bool applied = editor.ApplyAll();
    if (!applied && window.Reorganized()) {
        // The operator let the unit make room for the settings.
        window.ClearReorganized();
        applied = editor.ApplyAll();
    }
    context.result.Set("itemsText", window.ItemsText());
    if (!applied) {
        ExitCode outcome = ClassifyFailure(context.link);
        return context.Fail(outcome, outcome == ExitCode::UnitRefused
                                         ? "the unit refused the settings"
                                         : strings::CommunicationError);
    }
    if (!context.JsonOutput()) {
        context.out << "All settings applied";
        if (!window.ItemsText().empty())
            context.out << "; " << window.ItemsText();
        context.out << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
