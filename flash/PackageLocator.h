#pragma once
// Finds the two parts of a flash update package (multipart/mixed: a ".jam"
// part in 7bit, then a ".rom" part in base64) and records where they stand.
// Each failed check is a numbered error from (13) to (28).

#include "flash/FlashError.h"
#include "flash/PackageIndex.h"
#include "flash/PackageReader.h"

#include <optional>
#include <string>
#include <string_view>

namespace zeb40 {

namespace package_line {
inline constexpr const char* Boundary = "Content-Type: multipart/mixed; boundary=";
inline constexpr const char* PartType = "Content-Type: text/plain; charset=US-ASCII; name=";
inline constexpr const char* Encoding = "Content-transfer-encoding: ";
} // namespace package_line

// Whether text begins with prefix, ignoring the case of letters.
bool BeginsWith(std::string_view text, std::string_view prefix);

// Reads pieces from the current position until one begins with prefix; returns
// the text after the prefix without its LF. Nothing at the end of the file.
std::optional<std::string> FindLine(PackageReader& file, std::string_view prefix);

// Checks the boundary and the first part; sets delimiter, jamStart and jamEnd.
FlashCheck LocateJamPart(std::string_view package, PackageIndex& index);

// Checks the second part's headers (locating the first part when jamStart is
// 0); sets romStart.
FlashCheck LocateRomPart(std::string_view package, PackageIndex& index);

} // namespace zeb40
