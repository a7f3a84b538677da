#include "link/windows/PortOpenFailure.h"

#include "link/windows/SystemMessage.h"

#include <windows.h>

namespace zeb40 {

std::string PortOpenFailureDetail(const std::string& device, unsigned long code) {
    std::string shown = device;
    if (shown.starts_with("\\\\.\\"))
        shown.erase(0, 4);
    std::string reason = SystemMessage(code);
    if (!reason.ends_with('.'))
        reason += '.';
    switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        // Windows answers a port that another program holds with "Access denied".
        reason += " Another program is using the port, or this user may not open it.";
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        reason += " There is no such port on this computer; the port list shows those there are.";
        break;
    default:
        break;
    }
    return shown + ": " + reason;
}

} // namespace zeb40
