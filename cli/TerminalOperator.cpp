#include "cli/TerminalOperator.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace zeb40::cli {
namespace {

constexpr int BarWidth = 40;

Answer Affirmative(Buttons buttons) {
    return buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
}

Answer Negative(Buttons buttons) {
    return buttons == Buttons::YesNoCancel ? Answer::No : Answer::Cancel;
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

} // namespace

std::string OneLine(const std::string& text) {
    std::string line;
    bool pendingBreak = false;
    for (char c : text) {
        if (c == '\n' || c == '\r') {
            pendingBreak = !line.empty();
            continue;
        }
        if (pendingBreak) {
            line += ' ';
            pendingBreak = false;
        }
        line += c;
    }
    return line;
}

TerminalOperator::TerminalOperator(std::istream* input, std::ostream& error,
                                   TerminalSettings settings, std::ostream* information)
    : input_(input), error_(error), information_(information), settings_(settings) {}

void TerminalOperator::Error(const std::string& text) {
    FinishProgressLine();
    std::string line = subject_.empty() ? OneLine(text) : subject_ + ": " + OneLine(text);
    messages_.push_back(line);
    error_ << "zeb40ctl: " << line << std::endl;
}

void TerminalOperator::Notice(const std::string& text) {
    if (settings_.quiet)
        return;
    FinishProgressLine();
    error_ << "zeb40ctl: " << OneLine(text) << std::endl;
}

void TerminalOperator::ShowMessage(const std::string& text, const std::string& caption,
                                   MessageIcon icon) {
    (void)caption;
    if (icon == MessageIcon::Information) {
        messages_.push_back(OneLine(text));
        if (information_ && !settings_.quiet) {
            FinishProgressLine();
            *information_ << OneLine(text) << std::endl;
        } else {
            Notice(text);
        }
        return;
    }
    Error(text);
}

Answer TerminalOperator::Ask(const std::string& text, const std::string& caption, Buttons buttons,
                             MessageIcon icon, Answer defaultAnswer) {
    (void)icon;
    (void)defaultAnswer;
    FinishProgressLine();
    if (settings_.assumeYes) {
        if (!settings_.quiet)
            error_ << "zeb40ctl: " << OneLine(FirstLine(text)) << " (--yes: OK)" << std::endl;
        return Affirmative(buttons);
    }
    if (!settings_.inputIsTerminal || input_ == nullptr) {
        questionUnanswerable_ = true;
        declined_ = true;
        Error(FirstLine(text) + " (not asked: standard input is not a terminal; add --yes to "
                                "answer OK)");
        return Negative(buttons);
    }
    error_ << caption << "\n" << text << "\n";
    error_ << (buttons == Buttons::YesNoCancel ? "[y/n/C] " : "[y/N] ") << std::flush;
    std::string reply;
    if (!std::getline(*input_, reply)) {
        error_ << std::endl;
        declined_ = true;
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Negative(buttons);
    }
    reply = Lowered(reply);
    if (reply == "y" || reply == "yes" || reply == "ok")
        return Affirmative(buttons);
    if (buttons == Buttons::YesNoCancel && (reply == "n" || reply == "no"))
        return Answer::No;
    declined_ = true;
    return buttons == Buttons::YesNoCancel ? Answer::Cancel : Negative(buttons);
}

std::optional<ChosenFile> TerminalOperator::ChooseFile(const FileChoice& choice) {
    (void)choice;
    if (chosenFile_.empty())
        return std::nullopt;
    std::string name = chosenFile_.substr(chosenFile_.find_last_of('/') + 1);
    std::string title = name.substr(0, name.rfind('.'));
    return ChosenFile{chosenFile_, title};
}

bool TerminalOperator::ShowProgress(const std::string& caption, int minimum, int maximum) {
    progressCaption_ = caption;
    progressMinimum_ = minimum;
    progressMaximum_ = maximum;
    lastPercent_ = -1;
    SetProgress(minimum);
    return true;
}

void TerminalOperator::SetProgress(int position) {
    if (settings_.quiet || progressMaximum_ <= progressMinimum_)
        return;
    long long span = progressMaximum_ - progressMinimum_;
    long long done = std::clamp<long long>(position - progressMinimum_, 0, span);
    int percent = static_cast<int>(done * 100 / span);
    if (settings_.errorIsTerminal) {
        if (percent == lastPercent_)
            return;
        lastPercent_ = percent;
        int filled = static_cast<int>(done * BarWidth / span);
        error_ << '\r' << progressCaption_ << " [" << std::string(filled, '#')
               << std::string(BarWidth - filled, ' ') << "] " << percent << "%" << std::flush;
        barDrawn_ = true;
        return;
    }
    // Plain lines in steps of ten percent keep logs short.
    int step = percent / 10 * 10;
    if (step == lastPercent_)
        return;
    lastPercent_ = step;
    error_ << progressCaption_ << ": " << step << "%" << std::endl;
}

void TerminalOperator::CloseProgress() {
    FinishProgressLine();
    progressMaximum_ = progressMinimum_;
}

bool TerminalOperator::ShowNotice(const std::string& caption) {
    Notice(caption);
    return true;
}

void TerminalOperator::FinishProgressLine() {
    if (barDrawn_) {
        error_ << std::endl;
        barDrawn_ = false;
    }
}

} // namespace zeb40::cli
