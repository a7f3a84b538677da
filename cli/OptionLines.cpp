#include "cli/OptionLines.h"

namespace zeb40::cli {

std::vector<std::string> OptionLines(const std::string& optionsText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < optionsText.size()) {
        std::size_t end = optionsText.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(optionsText.substr(start));
            break;
        }
        lines.push_back(optionsText.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace zeb40::cli
