#include "link/discovery/PortList.h"

#include "link/PortNames.h"

#include <algorithm>
#include <cctype>

namespace zeb40 {
namespace {

char Folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool BeginsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size())
        return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char x, char y) { return Folded(x) == Folded(y); });
}

} // namespace

std::string PortEntryText(unsigned number, const std::string& description) {
    std::string name = description;
    // An entry that begins with a blank tells the operator nothing and cannot
    // be picked by typing its start.
    if (name.empty()) {
        const std::string device = DeviceForComNumber(number).value_or("");
        name = device.substr(device.find_last_of('/') + 1);
    }
    return name + " (COM" + std::to_string(number) + ")";
}

bool PortEntryBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) < Folded(y); });
}

std::vector<std::string> SortedPortEntries(const std::vector<unsigned>& numbers,
                                           const std::vector<std::string>& descriptions) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < numbers.size() && i < descriptions.size(); ++i)
        entries.push_back(PortEntryText(numbers[i], descriptions[i]));
    std::stable_sort(entries.begin(), entries.end(), PortEntryBefore);
    return entries;
}

int ReselectedEntry(const std::vector<std::string>& entries, const std::string& remembered) {
    const int count = static_cast<int>(entries.size());
    for (int step = 1; step <= count; ++step) {
        int index = step % count;
        if (BeginsWithIgnoringCase(entries[index], remembered))
            return index;
    }
    return -1;
}

} // namespace zeb40
