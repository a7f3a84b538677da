#include "cli/UnitOutcome.h"

#include "cli/ExitCode.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace zeb40::cli {
namespace {

int FailedCount(const std::vector<UnitOutcome>& outcomes) {
    return static_cast<int>(std::count_if(outcomes.begin(), outcomes.end(),
                                          [](const UnitOutcome& o) { return o.exitCode != 0; }));
}

std::string ResultText(const UnitOutcome& outcome) {
    if (outcome.exitCode == 0)
        return "ok";
    return std::string(outcome.stopped ? "stopped" : "failed") + " (" +
           std::to_string(outcome.exitCode) + ")";
}

// Differing settings rank just above success, below every failure.
int Severity(int code) {
    if (code == ToInt(ExitCode::Differ))
        return 1;
    return code == 0 ? 0 : code + 1;
}

std::string OrDash(const std::string& text) {
    return text.empty() ? "-" : text;
}

} // namespace

int MostSevereExitCode(const std::vector<UnitOutcome>& outcomes) {
    int code = 0;
    for (const auto& outcome : outcomes) {
        if (Severity(outcome.exitCode) > Severity(code))
            code = outcome.exitCode;
    }
    return code;
}

void PrintSummary(std::ostream& out, const std::vector<UnitOutcome>& outcomes) {
    using Row = std::array<std::string, 5>;
    std::vector<Row> rows{{"PORT", "UNIT", "VERSION", "RESULT", "MESSAGE"}};
    for (const auto& outcome : outcomes)
        rows.push_back({outcome.port, OrDash(outcome.identifier), OrDash(outcome.version),
                        ResultText(outcome), outcome.message});
    std::array<std::size_t, 4> widths{};
    for (const auto& row : rows) {
        for (std::size_t column = 0; column < widths.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < widths.size(); ++column)
            line += row[column] + std::string(widths[column] - row[column].size() + 2, ' ');
        line += row[4];
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    }
    int failed = FailedCount(outcomes);
    if (failed == 0)
        out << "all " << outcomes.size() << " units succeeded\n";
    else
        out << failed << " of " << outcomes.size() << " units failed\n";
}

std::string ResultsDocument(const std::string& command, const std::vector<UnitOutcome>& outcomes) {
    int code = MostSevereExitCode(outcomes);
    Json document = Json::object();
    document["command"] = command;
    document["ok"] = code == 0;
    document["exitCode"] = code;
    document["failed"] = FailedCount(outcomes);
    Json& units = document["units"] = Json::array();
    for (const auto& outcome : outcomes)
        units.push_back(outcome.result);
    return JsonDocument(document) + "\n";
}

} // namespace zeb40::cli
