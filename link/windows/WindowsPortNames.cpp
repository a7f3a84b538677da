// Port names on Windows are the system's own COM names: a listed entry opens
// the COM port named in its "(COMn)" ending, any other name is opened as it is.

#include "link/ListedPortName.h"
#include "link/PortNames.h"

namespace zeb40 {

std::string DevicePathForName(const std::string& name) {
    if (std::optional<unsigned> number = ComNumberOfListedName(name))
        return "\\\\.\\COM" + std::to_string(*number);
    return "\\\\.\\" + name;
}

} // namespace zeb40
