#pragma once
// The operator of zeb40ctl: messages go to standard error as one line each;
// questions are asked on a terminal, answered OK by --yes, and refused (never
// waited for) when standard input is no terminal; progress is a bar on a
// terminal and plain lines otherwise.

#include "operator/Operator.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace zeb40::cli {

struct TerminalSettings {
    bool assumeYes = false;       // --yes
    bool quiet = false;           // --quiet: no progress, notices or information
    bool inputIsTerminal = false; // questions may be asked on the input
    bool errorIsTerminal = false; // progress as a bar that redraws itself
};

class TerminalOperator : public Operator {
  public:
    // input may be null when there is nothing to read answers from;
    // information (a success message) goes to information when given, else
    // to error like every other message.
    TerminalOperator(std::istream* input, std::ostream& error, TerminalSettings settings,
                     std::ostream* information = nullptr);

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    Answer Ask(const std::string& text, const std::string& caption, Buttons buttons,
               MessageIcon icon, Answer defaultAnswer) override;
    // The file named on the command line, in place of a file dialog.
    std::optional<ChosenFile> ChooseFile(const FileChoice& choice) override;
    void BeginWait() override {}
    void EndWait() override {}
    bool ShowProgress(const std::string& caption, int minimum, int maximum) override;
    void SetProgress(int position) override;
    void CloseProgress() override;
    bool ShowNotice(const std::string& caption) override;
    void CloseNotice() override {}
    void PumpMessages() override {}

    // Prints "zeb40ctl: " and the text as one line.
    void Error(const std::string& text);
    void Notice(const std::string& text);

    void SetChosenFile(const std::string& path) { chosenFile_ = path; }
    // What the following messages are about (a file name), printed before
    // each; empty for none.
    void SetSubject(const std::string& subject) { subject_ = subject; }
    // The messages shown so far, each as its one printed line.
    const std::vector<std::string>& Messages() const { return messages_; }
    // True once a question was refused because it could not be asked.
    bool QuestionUnanswerable() const { return questionUnanswerable_; }
    bool Declined() const { return declined_; }

  private:
    void FinishProgressLine();

    std::istream* input_;
    std::ostream& error_;
    std::ostream* information_;
    TerminalSettings settings_;
    std::string chosenFile_;
    std::string subject_;
    std::vector<std::string> messages_;
    bool questionUnanswerable_ = false;
    bool declined_ = false;

    std::string progressCaption_;
    int progressMinimum_ = 0;
    int progressMaximum_ = 0;
    int lastPercent_ = -1;
    bool barDrawn_ = false;
};

// A message as one line: line breaks become blanks, trailing ones go.
std::string OneLine(const std::string& text);

} // namespace zeb40::cli
