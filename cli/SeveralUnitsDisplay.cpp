#include "cli/SeveralUnitsDisplay.h"

#include <ostream>

namespace zeb40::cli {
namespace {

constexpr int BoardBarWidth = 30;

std::string StageText(const UnitStage& stage, const UnitOutcome& outcome) {
    switch (stage.step) {
    case UnitStage::Step::Connecting:
        return "connecting";
    case UnitStage::Step::Running:
        return stage.progress
                   ? ProgressBar(stage.progress->caption, stage.progress->percent, BoardBarWidth)
                   : "working";
    case UnitStage::Step::Reidentifying:
        return "reading the new version";
    case UnitStage::Step::Done:
        break;
    }
    if (outcome.exitCode == 0)
        return "done";
    return (outcome.stopped ? "stopped: " : "failed: ") + outcome.message;
}

} // namespace

SeveralUnitsDisplay::SeveralUnitsDisplay(std::ostream& out, std::ostream& err, std::size_t units,
                                         DisplaySettings settings)
    : out_(out), err_(err), settings_(settings), plainSteps_(units, -1) {
    if (settings.board)
        board_.emplace(err, units);
}

void SeveralUnitsDisplay::OutputLine(const std::string& port, const std::string& line) {
    if (!board_ && !settings_.json)
        out_ << port << ": " << line << "\n";
}

void SeveralUnitsDisplay::ErrorLine(const std::string& port, const std::string& line) {
    if (!board_)
        err_ << port << ": " << line << std::endl;
}

void SeveralUnitsDisplay::Progress(std::size_t unit, const std::string& port,
                                   const UnitReportReader::Progress& progress) {
    if (board_ || settings_.quiet)
        return;
    // Plain lines in steps of ten percent, as one unit's run prints them.
    const int step = progress.percent / 10 * 10;
    if (step == plainSteps_[unit])
        return;
    plainSteps_[unit] = step;
    err_ << port << ": " << progress.caption << ": " << step << "%" << std::endl;
}

void SeveralUnitsDisplay::Draw(const std::vector<UnitStage>& stages,
                               const std::vector<UnitOutcome>& outcomes, bool force) {
    if (!board_)
        return;
    for (std::size_t i = 0; i < stages.size(); ++i)
        board_->Set(i, outcomes[i].port + "  " + StageText(stages[i], outcomes[i]));
    board_->Draw(force);
}

void SeveralUnitsDisplay::Finish(const std::string& command,
                                 const std::vector<UnitOutcome>& outcomes) {
    if (board_) {
        // What each unit printed, kept back while the board was drawn.
        for (const auto& outcome : outcomes) {
            for (const auto& line : outcome.errorLines)
                err_ << outcome.port << ": " << line << "\n";
            if (settings_.json)
                continue;
            for (const auto& line : outcome.outputLines)
                out_ << outcome.port << ": " << line << "\n";
        }
        err_.flush();
    }
    if (settings_.json)
        out_ << ResultsDocument(command, outcomes);
    else
        PrintSummary(out_, outcomes);
    out_.flush();
}

} // namespace zeb40::cli
