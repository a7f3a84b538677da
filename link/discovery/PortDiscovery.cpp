#include "link/discovery/PortDiscovery.h"

#include "link/PortNames.h"

#include <QSerialPortInfo>

namespace zeb40 {

std::vector<FoundPort> SystemSerialPorts() {
    std::vector<FoundPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName().toStdString(), info.description().toStdString()});
    return ports;
}

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
