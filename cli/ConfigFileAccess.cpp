#include "cli/ConfigFileAccess.h"

#include "config/ConfigEditor.h"
#include "config/ItemDescriptions.h"
#include "disk/SaveTarget.h"
#include "files/ConfigFile.h"
#include "resources/Strings.h"

namespace zeb40::cli {

namespace {

constexpr int HighestItemValue = 254; // 255 is never written

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
    // Whatever is at the path counts, a link to nowhere too; what the save
    // would refuse is refused before anything else happens.
    switch (FindSavePlace(path)) {
    case SavePlace::Empty:
        return ExitCode::Success;
    case SavePlace::Refused:
        context.result["file"] = path;
        ReportFileError(context, path,
                        {FileError::Message::FailedToOpen, strings::FailedToOpenFile});
        return ExitCode::InvalidFile;
    case SavePlace::Replaceable:
        break;
    }
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

std::size_t SettingsApplyWrites(const ConfigItemTable& table) {
    const ControlValues shown = ShownValues(table);
    std::size_t writes = 0;
    for (const ItemDescription& description : SettingItems()) {
        const int value = shown(description.item);
        const std::uint8_t current = table[static_cast<std::size_t>(description.item)];
        int stored = value;
        if (description.encoding == ItemEncoding::Bcd)
            stored = BcdFromDecimal(value);
        else if (description.encoding == ItemEncoding::OffFlag && value == description.offEntry)
            stored = (current & 0x7F) | 0x80;
        if (value >= 0 && value <= HighestItemValue && stored <= HighestItemValue)
            ++writes;
    }
    return writes;
}

std::string AppliedStatement(const ConfigItemTable& table) {
    const std::size_t all = SettingItems().size();
    const std::size_t written = SettingsApplyWrites(table);
    if (written == all)
        return "All settings applied";
    return "Only " + std::to_string(written) + " of " + std::to_string(all) +
           " settings applied: the file holds no valid value for the other " +
           std::to_string(all - written);
}

} // namespace zeb40::cli
