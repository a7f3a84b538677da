#include "files/FileCommands.h"

#include "resources/Placeholder.h"
#include "resources/Strings.h"

namespace zeb40 {
namespace {

FileChoice ConfigFileChoice(bool save, const std::string& currentFile) {
    const std::string extension = strings::ConfigExtension;
    FileChoice choice;
    choice.save = save;
    choice.defaultExtension = extension;
    choice.filters = {
        {std::string(strings::ConfigFilesFilter) + " (*." + extension + ")", "*." + extension},
        {std::string(strings::AllFilesFilter) + " (*.*)", "*"},
    };
    choice.askBeforeOverwrite = save;
    choice.currentFile = currentFile;
    return choice;
}

std::string SaveQuestion(const std::string& path) {
    return strings::FillPlaceholder(strings::SaveChangesIn, path);
}

} // namespace

FileCommands::FileCommands(ConfigDocument& document, ConfigState& config, Operator& op)
    : document_(document), config_(config), op_(op) {}

bool FileCommands::PromptSaveChanges() {
    if (document_.path.empty())
        return true;
    if (config_.modified) {
        const Answer answer = op_.Ask(SaveQuestion(document_.path), strings::ErrorCaption,
                                      Buttons::YesNoCancel, MessageIcon::Exclamation, Answer::Yes);
        if (answer == Answer::Cancel)
            return false;
        if (answer == Answer::Yes)
            return WriteConfigFile(document_, config_, op_);
    }
    document_.path.clear();
    return true;
}

void FileCommands::New() {
    if (!PromptSaveChanges())
        return;
    config_.modified = false;
    config_.table = DefaultConfigItemTable();
    document_.path.clear();
    document_.windowTitle = strings::AppCaption;
}

void FileCommands::Open() {
    // The question gives the file up; the dialog still starts beside it.
    const std::string currentFile = document_.path;
    if (!PromptSaveChanges())
        return;
    auto chosen = op_.ChooseFile(ConfigFileChoice(false, currentFile));
    if (!chosen)
        return;
    document_.path = chosen->path;
    document_.title = chosen->title;
    // A file that cannot be read leaves the configuration untitled; the
    // title must not name the file given up before.
    if (!ReadConfigFile(document_, config_, op_))
        document_.windowTitle = strings::AppCaption;
}

void FileCommands::Save() {
    if (document_.path.empty()) {
        SaveAs();
        return;
    }
    WriteConfigFile(document_, config_, op_);
}

void FileCommands::SaveAs() {
    auto chosen = op_.ChooseFile(ConfigFileChoice(true, document_.path));
    if (!chosen)
        return;
    document_.path = chosen->path;
    document_.title = chosen->title;
    WriteConfigFile(document_, config_, op_);
}

bool FileCommands::Exit() {
    return PromptSaveChanges();
}

} // namespace zeb40
