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

SavePlace FindSavePlace(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status itself = fs::symlink_status(path, error);
    if (!fs::exists(itself))
        return error && error != std::errc::no_such_file_or_directory ? SavePlace::Refused
                                                                      : SavePlace::Empty;
    const fs::file_status named = fs::status(path, error);
    if (fs::is_symlink(itself) && !fs::exists(named))
        // A link to nowhere may go; a loop of links names no file at all.
        return error == std::errc::no_such_file_or_directory ? SavePlace::Replaceable
                                                             : SavePlace::Refused;
    return fs::is_regular_file(named) ? SavePlace::Replaceable : SavePlace::Refused;
}

} // namespace zeb40
