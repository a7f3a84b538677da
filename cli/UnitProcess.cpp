#include "cli/UnitProcess.h"

namespace zeb40::cli {

std::vector<std::string> UnitProcess::TakeLines(Stream stream) {
    std::vector<std::string> lines;
    std::string& text = pending_[stream];
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    text.erase(0, start);
    if (fds_[stream] < 0 && !text.empty()) {
        lines.push_back(text);
        text.clear();
    }
    return lines;
}

} // namespace zeb40::cli
