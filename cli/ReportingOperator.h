#pragma once
// The operator of a child run on one unit: everything as on a terminal-less
// zeb40ctl, except that progress goes to the parent's report pipe instead of
// standard error, where the parent draws it for every unit together.

#include "cli/TerminalOperator.h"
#include "cli/UnitReport.h"

namespace zeb40::cli {

class ReportingOperator : public TerminalOperator {
  public:
    ReportingOperator(std::istream* input, std::ostream& error, TerminalSettings settings,
                      std::ostream* information, UnitReportWriter& report);

    bool ShowProgress(const std::string& caption, int minimum, int maximum) override;
    void SetProgress(int position) override;
    void CloseProgress() override;

  private:
    UnitReportWriter& report_;
    std::string caption_;
    int minimum_ = 0;
    int maximum_ = 0;
    int lastPercent_ = -1;
};

} // namespace zeb40::cli
