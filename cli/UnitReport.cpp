#include "cli/UnitReport.h"

#include "cli/HostSystem.h"

namespace zeb40::cli {
namespace {

constexpr std::string_view ProgressWord = "progress ";
constexpr std::string_view ResultLine = "result";

} // namespace

void UnitReportWriter::Progress(int percent, const std::string& caption) {
    WriteAll(std::string(ProgressWord) + std::to_string(percent) + " " + caption + "\n");
}

void UnitReportWriter::Result(const std::string& document) {
    WriteAll(std::string(ResultLine) + "\n" + document + "\n");
}

// The parent gone, the child's own exit status still tells.
void UnitReportWriter::WriteAll(const std::string& text) {
    WriteToDescriptor(fd_, text);
}

std::optional<UnitReportReader::Progress> UnitReportReader::Feed(const std::string& line) {
    if (inResult_) {
        result_ += line + "\n";
        return std::nullopt;
    }
    if (line == ResultLine) {
        inResult_ = true;
        return std::nullopt;
    }
    if (!line.starts_with(ProgressWord))
        return std::nullopt;
    std::string rest = line.substr(ProgressWord.size());
    std::size_t blank = rest.find(' ');
    std::string number = rest.substr(0, blank);
    if (number.empty() || number.size() > 3 ||
        number.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return Progress{std::stoi(number), blank == std::string::npos ? "" : rest.substr(blank + 1)};
}

} // namespace zeb40::cli
