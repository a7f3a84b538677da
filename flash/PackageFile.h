#pragma once
// Reading a flash update package from disk, once: the checks, the programming
// and the read-back all work on the one copy, so what was checked is what is
// programmed even if the file changes meanwhile.

#include <optional>
#include <string>

namespace zeb40 {

// Far more than a package for the unit's 40 KB of firmware can hold.
inline constexpr std::size_t MaxPackageBytes = 16u << 20;

// The whole file; nothing unless it is a regular file that can be read and
// is no larger than MaxPackageBytes.
std::optional<std::string> ReadPackageFile(const std::string& path);

} // namespace zeb40
