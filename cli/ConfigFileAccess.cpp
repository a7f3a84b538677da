#include "cli/ConfigFileAccess.h"

#include "files/ConfigFile.h"
#include "resources/Strings.h"

#include <filesystem>

namespace zeb40::cli {

namespace {

// The file's message as the windows show it, after the file's name.
void ReportFileError(CliContext& context, const std::string& path, const FileError& error) {
    context.op.SetSubject(path);
    context.op.Error(error.text);
    context.op.SetSubject({});
    context.result["error"] = path + ": " + OneLine(error.text);
}

} // namespace

bool LoadConfigFile(CliContext& context, const std::string& path, ConfigState& config) {
    context.result["file"] = path;
    const ConfigFileRead read = LoadConfigTable(path);
    if (!read.table) {
        ReportFileError(context, path, read.error);
        return false;
    }
    config.table = *read.table;
    config.modified = false;
    return true;
}

ExitCode ConfirmReplace(CliContext& context, const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return ExitCode::Success;
    if (context.op.Ask(path + " already exists. Do you want to replace it?",
                       strings::ApplicationName, Buttons::OkCancel, MessageIcon::Warning,
                       Answer::Cancel) == Answer::Ok)
        return ExitCode::Success;
    context.result["error"] = "not replaced: " + path;
    return ExitCode::Declined;
}

ExitCode SaveConfigFile(CliContext& context, const std::string& path, ConfigState& config) {
    context.result["file"] = path;
    if (auto error = SaveConfigTable(path, config.table)) {
        ReportFileError(context, path, *error);
        return ExitCode::InvalidFile;
    }
    config.modified = false;
    return ExitCode::Success;
}

} // namespace zeb40::cli
