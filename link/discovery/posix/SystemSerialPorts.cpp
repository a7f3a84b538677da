#include "link/discovery/PortDiscovery.h"

#include <QSerialPortInfo>

namespace zeb40 {

std::vector<FoundPort> SystemSerialPorts() {
    std::vector<FoundPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName().toStdString(), info.description().toStdString()});
    return ports;
}

} // namespace zeb40
