// Port names on Windows are the system's own COM names: a listed entry opens
// the COM port named in its "(COMn)" ending, any other name is opened as it
// is; the devices are the COM ports themselves.

#include "link/ListedPortName.h"
#include "link/PortNames.h"
#include "link/net/NetworkPortName.h"

namespace zeb40 {

std::optional<unsigned> ComNumberForDevice(const std::string& deviceName) {
    std::string_view name = deviceName;
    if (name.starts_with("\\\\.\\"))
        name.remove_prefix(4);
    return ComNumberOfComName(name);
}

std::optional<std::string> DeviceForComNumber(unsigned comNumber) {
    if (comNumber == 0)
        return std::nullopt;
    return "\\\\.\\COM" + std::to_string(comNumber);
}

std::string DevicePathForName(const std::string& name) {
    if (IsNetworkPortName(name))
        return name;
    if (std::optional<unsigned> number = ComNumberOfListedName(name))
        return "\\\\.\\COM" + std::to_string(*number);
    return "\\\\.\\" + name;
}

} // namespace zeb40
