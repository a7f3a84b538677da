#pragma once
// An operator for tests: records every message and question, answers
// questions and file choices from a script, and counts the wait cursor.

#include "operator/Operator.h"

#include <deque>
#include <string>
#include <vector>

namespace zeb40::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
    bool question = false;
    std::string detail;
};

class ScriptedOperator : public Operator {
  public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void ShowMessageWithDetail(const std::string& text, const std::string& caption,
                               MessageIcon icon, const std::string& detail) override;
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon, Answer defaultAnswer) override;
    std::optional<ChosenFile> ChooseFile(const FileChoice& choice) override;
    void BeginWait() override {
        ++waitDepth;
        ++waitCount;
    }
    void EndWait() override { --waitDepth; }
    bool ShowProgress(const std::string& caption, int minimum, int maximum) override;
    void SetProgress(int position) override { progress.push_back(position); }
    void CloseProgress() override { progressOpen = false; }
    bool ShowNotice(const std::string& caption) override;
    void CloseNotice() override { noticeOpen = false; }
    void PumpMessages() override { ++pumps; }

    // Texts of the messages and questions, in order.
    std::vector<std::string> Texts() const;

    std::vector<ShownMessage> messages;
    std::deque<Answer> answers;                  // for Ask; the default when empty
    std::deque<std::optional<ChosenFile>> files; // for ChooseFile; cancel when empty
    std::vector<FileChoice> fileChoices;
    std::vector<int> progress;
    std::string progressCaption;
    bool progressOpen = false;
    std::vector<std::string> notices;
    bool noticeOpen = false;
    int waitDepth = 0;
    int waitCount = 0;
    int pumps = 0;
};

} // namespace zeb40::test
