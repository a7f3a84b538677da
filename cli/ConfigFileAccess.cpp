#include "cli/ConfigFileAccess.h"

#include "files/ConfigFile.h"
#include "resources/Strings.h"

#include <filesystem>

namespace zeb40::cli {

bool LoadConfigFile(CliContext& context, const std::string& path, ConfigState& config) {
    ConfigDocument document;
    document.path = path;
    context.result["file"] = path;
    context.op.SetSubject(path);
    const std::size_t messagesBefore = context.op.Messages().size();
    const bool read = ReadConfigFile(document, config, context.op);
    if (!read && context.op.Messages().size() == messagesBefore)
        context.op.Error(strings::NotValidZebFile);
    context.op.SetSubject({});
    if (!read)
        context.result["error"] = context.op.Messages().back();
    return read;
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
    ConfigDocument document;
    document.path = path;
    context.result["file"] = path;
    context.op.SetSubject(path);
    const bool written = WriteConfigFile(document, config, context.op);
    context.op.SetSubject({});
    if (!written) {
        context.result["error"] = context.op.Messages().back();
        return ExitCode::InvalidFile;
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
