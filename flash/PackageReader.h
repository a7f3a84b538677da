#pragma once
// A flash update package in memory, read line by line as the package checks
// and the programming loop see it: pieces of at most 79 characters, LF ends a
// line and a CR right before it is dropped, and every position is a byte
// offset of the stored file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40 {

class PackageReader {
  public:
    // Longest piece one read returns, line end included.
    static constexpr std::size_t MaxPiece = 79;

    // The bytes must outlive the reader.
    explicit PackageReader(std::string_view bytes) : bytes_(bytes) {}

    // The next piece: up to and including "\n", or MaxPiece characters of a
    // longer line. Nothing at the end of the package.
    std::optional<std::string> ReadPiece();
    std::int64_t Tell() const { return static_cast<std::int64_t>(position_); }
    // A position past the end reads as the end.
    void Seek(std::int64_t position);

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

// The characters that count as blanks in a package line.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace zeb40
