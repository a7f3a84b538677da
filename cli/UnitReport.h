#pragma once
// The pipe between a child run of zeb40ctl on one unit and the run that
// started it for several units: "progress PERCENT CAPTION" lines while it
// works, then a line "result" and the JSON result document.

#include <optional>
#include <string>

namespace zeb40::cli {

// The child's end. Writes go straight to the descriptor, so nothing waits in
// a buffer when the child is stopped.
class UnitReportWriter {
  public:
    explicit UnitReportWriter(int fd) : fd_(fd) {}
    void Progress(int percent, const std::string& caption);
    void Result(const std::string& document);

  private:
    void WriteAll(const std::string& text);
    int fd_;
};

// The parent's end, fed one line at a time.
class UnitReportReader {
  public:
    struct Progress {
        int percent = 0;
        std::string caption;
    };

    // The progress the line reports, if it is a progress line.
    std::optional<Progress> Feed(const std::string& line);
    // The result document; empty until the child wrote one.
    const std::string& Result() const { return result_; }

  private:
    bool inResult_ = false;
    std::string result_;
};

} // namespace zeb40::cli
