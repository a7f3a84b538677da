#include "link/ListedPortName.h"

#include <cctype>

namespace zeb40 {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

unsigned LeadingNumber(std::string_view text) {
    unsigned long long n = 0;
    for (char c : text) {
        if (!IsDigit(c))
            break;
        n = n * 10 + static_cast<unsigned>(c - '0');
        if (n > 0xFFFFFFFFull)
            return 0xFFFFFFFFu;
    }
    return static_cast<unsigned>(n);
}

std::optional<unsigned> ComNumberOfListedName(std::string_view name) {
    if (name.size() < 6 || name.back() != ')')
        return std::nullopt;
    std::size_t last = name.size() - 2; // taken as the number's last digit
    std::size_t start = last;
    while (start > 0 && IsDigit(name[start - 1]))
        --start;
    if (start < 4 || !EqualsIgnoringCase(name.substr(start - 4, 4), "(COM"))
        return std::nullopt;
    unsigned n = LeadingNumber(name.substr(start));
    if (n == 0)
        return std::nullopt;
    return n;
}

std::optional<unsigned> ComNumberOfComName(std::string_view name) {
    if (name.size() <= 3 || !EqualsIgnoringCase(name.substr(0, 3), "COM"))
        return std::nullopt;
    for (char c : name.substr(3)) {
        if (!IsDigit(c))
            return std::nullopt;
    }
    const unsigned n = LeadingNumber(name.substr(3));
    if (n == 0)
        return std::nullopt;
    return n;
}

} // namespace zeb40
