#include "flash/PackageFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb40 {

std::optional<std::string> ReadPackageFile(const std::string& path) {
    // Only a regular file can be a package: a pipe or a device would block the
    // open or never end.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    std::optional<std::string> bytes;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 0 &&
        static_cast<std::uintmax_t>(status.st_size) <= MaxPackageBytes) {
        bytes.emplace();
        // Reads on to the end rather than trusting the size: the file may grow.
        char buffer[65536];
        for (;;) {
            const ssize_t count = ::read(fd, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0 || bytes->size() + static_cast<std::size_t>(count) > MaxPackageBytes) {
                bytes.reset();
                break;
            }
            if (count == 0)
                break;
            bytes->append(buffer, static_cast<std::size_t>(count));
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace zeb40
