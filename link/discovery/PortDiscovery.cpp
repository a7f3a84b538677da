#include "link/discovery/PortDiscovery.h"

#include "link/PortNames.h"

namespace zeb40 {

bool EnumerateSerialPorts(std::vector<unsigned>& numbers, std::vector<std::string>& descriptions,
                          const PortSource& source) {
    numbers.clear();
    descriptions.clear();
    if (!source)
        return false;
    for (const FoundPort& port : source()) {
        std::optional<unsigned> number = ComNumberForDevice(port.deviceName);
        if (!number)
            continue;
        numbers.push_back(*number);
        descriptions.push_back(port.description);
    }
    return true;
}

} // namespace zeb40
