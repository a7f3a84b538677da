#pragma once
// What a run on several units shows. On a terminal: a board with one line
// per unit while they work, then what each unit printed and the summary
// table. Without one: each unit's lines as they come, prefixed with its
// port, then the summary. With --json: one document of every unit's result.

#include "cli/UnitOutcome.h"
#include "cli/UnitProgressBoard.h"
#include "cli/UnitReport.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zeb40::cli {

// Where one unit's run is, as its board line shows it.
struct UnitStage {
    enum class Step { Connecting, Running, Reidentifying, Done };
    Step step = Step::Connecting;
    std::optional<UnitReportReader::Progress> progress; // while running
};

struct DisplaySettings {
    bool board = false; // standard error is a terminal and not --quiet
    bool json = false;
    bool quiet = false;
};

class SeveralUnitsDisplay {
  public:
    SeveralUnitsDisplay(std::ostream& out, std::ostream& err, std::size_t units,
                        DisplaySettings settings);

    // What a unit's command printed, and how far it has got.
    void OutputLine(const std::string& port, const std::string& line);
    void ErrorLine(const std::string& port, const std::string& line);
    void Progress(std::size_t unit, const std::string& port,
                  const UnitReportReader::Progress& progress);

    // Redraws the board (nothing without one); force draws at once.
    void Draw(const std::vector<UnitStage>& stages, const std::vector<UnitOutcome>& outcomes,
              bool force);
    // The lines kept back while the board was drawn, then the summary or
    // the JSON document.
    void Finish(const std::string& command, const std::vector<UnitOutcome>& outcomes);

  private:
    std::ostream& out_;
    std::ostream& err_;
    DisplaySettings settings_;
    std::optional<UnitProgressBoard> board_;
    std::vector<int> plainSteps_; // the last ten-percent step printed per unit
};

} // namespace zeb40::cli
