#include "link/PortNames.h"

#include <array>
#include <cctype>
#include <string_view>

namespace zeb40 {
namespace {

struct DeviceFamily {
    std::string_view prefix;
    unsigned firstComNumber;
};

constexpr unsigned FamilySize = 100;
constexpr std::array<DeviceFamily, 5> Families{{
    {"ttyS", 1},
    {"ttyUSB", 101},
    {"ttyACM", 201},
    {"ttyAMA", 301},
    {"rfcomm", 401},
}};

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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal digits from the start of text; saturates instead of overflowing.
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

// The n of a name ending in "(COMn)", or of a whole name "COMn".
std::optional<unsigned> ComNumberInName(std::string_view name) {
    if (name.size() >= 6 && name.back() == ')') {
        std::size_t last = name.size() - 2; // taken as the number's last digit
        std::size_t start = last;
        while (start > 0 && IsDigit(name[start - 1]))
            --start;
        if (start >= 4 && EqualsIgnoringCase(name.substr(start - 4, 4), "(COM")) {
            unsigned n = LeadingNumber(name.substr(start));
            if (n > 0)
                return n;
        }
        return std::nullopt;
    }
    if (name.size() > 3 && EqualsIgnoringCase(name.substr(0, 3), "COM")) {
        std::string_view digits = name.substr(3);
        for (char c : digits) {
            if (!IsDigit(c))
                return std::nullopt;
        }
        unsigned n = LeadingNumber(digits);
        if (n > 0)
            return n;
    }
    return std::nullopt;
}

} // namespace

std::optional<unsigned> ComNumberForDevice(const std::string& deviceName) {
    std::string_view name = deviceName;
    if (name.starts_with("/dev/"))
        name.remove_prefix(5);
    for (const DeviceFamily& family : Families) {
        if (!name.starts_with(family.prefix))
            continue;
        std::string_view digits = name.substr(family.prefix.size());
        if (digits.empty() || digits.size() > 2)
            continue;
        bool allDigits = true;
        for (char c : digits)
            allDigits = allDigits && IsDigit(c);
        if (!allDigits)
            continue;
        return family.firstComNumber + LeadingNumber(digits);
    }
    return std::nullopt;
}

std::optional<std::string> DeviceForComNumber(unsigned comNumber) {
    for (const DeviceFamily& family : Families) {
        if (comNumber >= family.firstComNumber && comNumber < family.firstComNumber + FamilySize)
            return "/dev/" + std::string(family.prefix) +
                   std::to_string(comNumber - family.firstComNumber);
    }
    return std::nullopt;
}

std::string DevicePathForName(const std::string& name) {
    if (std::optional<unsigned> n = ComNumberInName(name)) {
        if (std::optional<std::string> device = DeviceForComNumber(*n))
            return *device;
        return "/dev/COM" + std::to_string(*n);
    }
    if (name.starts_with("/"))
        return name;
    return "/dev/" + name;
}

} // namespace zeb40
