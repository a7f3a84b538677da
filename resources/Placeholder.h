#pragma once
// Fills in the one placeholder of a text from the string table. The table
// writes it as "%d", "%s" or "%1", and its texts stay as they stand.

#include <string>
#include <string_view>

namespace zeb40::strings {

// The text with its first placeholder replaced by value; a text without one
// comes back unchanged.
inline std::string FillPlaceholder(std::string_view text, std::string_view value) {
    for (std::size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('%', at + 1)) {
        const char kind = text[at + 1];
        if (kind == 'd' || kind == 's' || kind == '1') {
            std::string filled(text.substr(0, at));
            filled += value;
            filled += text.substr(at + 2);
            return filled;
        }
    }
    return std::string(text);
}

} // namespace zeb40::strings
