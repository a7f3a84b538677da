#include "link/posix/PortAccess.h"

#include <cerrno>
#include <cstring>
#include <grp.h>
#include <sys/stat.h>

namespace zeb40 {
namespace {

std::string OwningGroup(const std::string& devicePath) {
    struct stat info {};
    if (stat(devicePath.c_str(), &info) != 0)
        return {};
    if (const group* owner = getgrgid(info.st_gid))
        return owner->gr_name;
    return std::to_string(info.st_gid);
}

} // namespace

std::string PortOpenFailureReason(const std::string& devicePath, int errorNumber) {
    std::string detail = std::string(std::strerror(errorNumber)) + ".";
    if (errorNumber == EBUSY)
        detail += " Another program is using the port.";
    if (errorNumber != EACCES && errorNumber != EPERM)
        return detail;
    std::string group = OwningGroup(devicePath);
    if (group.empty() || group == "root")
        return detail + " Ask your administrator for access to the port.";
    return detail + " The port belongs to the group '" + group +
           "'. Join it with \"sudo usermod -aG " + group + " $USER\" and log in again.";
}

std::string PortOpenFailureDetail(const std::string& devicePath, int errorNumber) {
    return devicePath + ": " + PortOpenFailureReason(devicePath, errorNumber);
}

} // namespace zeb40
