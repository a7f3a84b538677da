#pragma once
// Where a file is saved: the file itself, not over a link that points at it.

#include <filesystem>

namespace zeb40 {

// The absolute path of the file a save to path replaces; a link is followed
// to the file it names.
std::filesystem::path SaveTarget(const std::filesystem::path& path);

} // namespace zeb40
