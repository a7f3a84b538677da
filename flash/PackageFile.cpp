#include "flash/PackageFile.h"

#include "disk/DiskFile.h"

namespace zeb40 {

std::optional<std::string> ReadPackageFile(const std::string& path) {
    // The disk layer opens regular files only: a pipe or a device would block
    // the open or never end.
    DiskRead read = ReadDiskFile(path, MaxPackageBytes);
    if (!read.opened || read.longer || read.failure)
        return std::nullopt;
    // The read reserved room for the largest package; a real one is far smaller.
    read.bytes.shrink_to_fit();
    return std::move(read.bytes);
}

} // namespace zeb40
