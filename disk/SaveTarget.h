#pragma once
// Where a file is saved: the file itself, not over a link that points at it.

#include <filesystem>

namespace zeb40 {

// The absolute path of the file a save to path replaces; a link is followed
// to the file it names.
std::filesystem::path SaveTarget(const std::filesystem::path& path);

// What a save to path finds there: nothing yet, something it may replace (a
// regular file, through links too, or a link that names no file yet, which
// the new file takes the place of), or something it refuses to replace (a
// folder, a device, a pipe, a loop of links).
enum class SavePlace { Empty, Replaceable, Refused };
SavePlace FindSavePlace(const std::filesystem::path& path);

} // namespace zeb40
