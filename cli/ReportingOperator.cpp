#include "cli/ReportingOperator.h"

#include <algorithm>

namespace zeb40::cli {

ReportingOperator::ReportingOperator(std::istream* input, std::ostream& error,
                                     TerminalSettings settings, std::ostream* information,
                                     UnitReportWriter& report)
    : TerminalOperator(input, error, settings, information), report_(report) {}

bool ReportingOperator::ShowProgress(const std::string& caption, int minimum, int maximum) {
    caption_ = caption;
    minimum_ = minimum;
    maximum_ = maximum;
    lastPercent_ = -1;
    SetProgress(minimum);
    return true;
}

void ReportingOperator::SetProgress(int position) {
    if (maximum_ <= minimum_)
        return;
    long long span = maximum_ - minimum_;
    long long done = std::clamp<long long>(position - minimum_, 0, span);
    int percent = static_cast<int>(done * 100 / span);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    report_.Progress(percent, caption_);
}

void ReportingOperator::CloseProgress() {
    maximum_ = minimum_;
}

} // namespace zeb40::cli
