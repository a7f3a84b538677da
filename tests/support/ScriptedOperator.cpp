#include "tests/support/ScriptedOperator.h"

namespace zeb40::test {

void ScriptedOperator::ShowMessage(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
    messages.push_back({text, caption, icon, false, {}});
}

void ScriptedOperator::ShowMessageWithDetail(const std::string& text, const std::string& caption,
                                             MessageIcon icon, const std::string& detail) {
    messages.push_back({text, caption, icon, false, detail});
}

Answer ScriptedOperator::Ask(const std::string& text, const std::string& caption, Buttons,
                             MessageIcon icon, Answer defaultAnswer) {
    messages.push_back({text, caption, icon, true, {}});
    if (answers.empty())
        return defaultAnswer;
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<ChosenFile> ScriptedOperator::ChooseFile(const FileChoice& choice) {
    fileChoices.push_back(choice);
    if (files.empty())
        return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
}

bool ScriptedOperator::ShowProgress(const std::string& caption, int, int) {
    progressCaption = caption;
    progressOpen = true;
    return true;
}

bool ScriptedOperator::ShowNotice(const std::string& caption) {
    notices.push_back(caption);
    noticeOpen = true;
    return true;
}

std::vector<std::string> ScriptedOperator::Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages)
        texts.push_back(m.text);
    return texts;
}

} // namespace zeb40::test
