#pragma once
// Whole files on this computer's disk, read in one go and replaced in one go:
// the one place that opens files, with one implementation per system. Only
// regular files are opened, so a pipe or device chosen by mistake can neither
// block nor be overwritten.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40 {

// A read or write that failed after the file was opened, in the system's words.
struct DiskFailure {
    bool diskFull = false;
    std::string reason;
};

struct DiskRead {
    bool opened = false; // false: missing, no regular file, or not readable
    std::string bytes;   // the first maxBytes of the file
    bool longer = false; // the file goes on past maxBytes
    std::optional<DiskFailure> failure;
};

DiskRead ReadDiskFile(const std::string& path, std::size_t maxBytes);

struct DiskWrite {
    // false: no name, no regular file there, not writable, or no new file can
    // be made beside it.
    bool opened = false;
    std::optional<DiskFailure> failure;
};

// The new content goes to a new file beside the old one and reaches the disk
// before it takes the old one's place, so the old file stays whole until the
// new one is complete. A link is followed to the file it names; a link that
// names no file yet is replaced, a loop of links is refused.
DiskWrite ReplaceDiskFile(const std::string& path, std::string_view bytes);

} // namespace zeb40
