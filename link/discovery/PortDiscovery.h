#pragma once
// The PC's serial ports for the port field: each present device inside the COM
// numbering, paired with its description, in the order the system lists them.

#include <functional>
#include <string>
#include <vector>

namespace zeb40 {

// One serial device as the system reports it.
struct FoundPort {
    std::string deviceName;  // "ttyUSB0", "COM3"
    std::string description; // "" when the system has none
};

// Where the devices come from; tests hand in a fixed list.
using PortSource = std::function<std::vector<FoundPort>()>;

// The system's serial devices: through Qt SerialPort (udev) on Linux, from
// the device set-up's class "Ports" on Windows ("COM3").
std::vector<FoundPort> SystemSerialPorts();

// Fills both lists (emptied first, always of equal length) with the devices
// that have a COM number; devices outside the numbering are left out, so every
// entry opens with OpenByName. True when the source could be asked.
bool EnumerateSerialPorts(std::vector<unsigned>& numbers, std::vector<std::string>& descriptions,
                          const PortSource& source = SystemSerialPorts);

} // namespace zeb40
