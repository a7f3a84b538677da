// ports: the serial ports as the port field of the window lists them.

#include "cli/Commands.h"
#include "link/PortNames.h"
#include "link/discovery/PortDiscovery.h"
#include "link/discovery/PortList.h"

#include <algorithm>
#include <ostream>

namespace zeb40::cli {

ExitCode RunPorts(CliContext& context) {
    std::vector<unsigned> numbers;
    std::vector<std::string> descriptions;
    if (!EnumerateSerialPorts(numbers, descriptions, context.serialPorts))
        return context.Fail(ExitCode::PortNotOpenable, "Can't list the serial ports");

    struct Entry {
        std::string name;
        std::string device;
        std::string description;
        unsigned number;
    };
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        entries.push_back({PortEntryText(numbers[i], descriptions[i]),
                           DeviceForComNumber(numbers[i]).value_or(""), descriptions[i],
                           numbers[i]});
    }
    // In the order of the port field's list.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return PortEntryBefore(a.name, b.name);
    });

    Json& list = context.result["ports"] = Json::array();
    std::size_t width = 0;
    for (const auto& entry : entries)
        width = std::max(width, entry.name.size());
    for (const auto& entry : entries) {
        Json port = Json::object();
        port["name"] = entry.name;
        port["device"] = entry.device;
        port["description"] = entry.description;
        port["com"] = entry.number;
        list.push_back(std::move(port));
        if (!context.JsonOutput())
            context.out << entry.name << std::string(width - entry.name.size() + 2, ' ')
                        << entry.device << "\n";
    }
    return ExitCode::Success;
}

} // namespace zeb40::cli
