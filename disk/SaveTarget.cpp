#include "disk/SaveTarget.h"

namespace zeb40 {

std::filesystem::path SaveTarget(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::path target = std::filesystem::absolute(path, error);
    if (error)
        target = path;
    if (std::filesystem::is_symlink(target, error)) {
        auto resolved = std::filesystem::canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

} // namespace zeb40
