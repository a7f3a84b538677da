#include "link/PortNames.h"

#include "link/ListedPortName.h"
#include "link/net/NetworkPortName.h"

#include <array>
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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The n of a name ending in "(COMn)", or of a whole name "COMn".
std::optional<unsigned> ComNumberInName(std::string_view name) {
    if (name.ends_with(')'))
        return ComNumberOfListedName(name);
    return ComNumberOfComName(name);
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
    if (IsNetworkPortName(name))
        return name;
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
