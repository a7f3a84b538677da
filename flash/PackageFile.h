#pragma once
// A flash update package opened for reading line by line, as the package
// checks and the programming loop see it: pieces of at most 79 characters, LF
// ends a line and a CR right before it is dropped, and every position is a
// byte offset of the stored file.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace zeb40 {

class PackageFile {
  public:
    // Longest piece one read returns, line end included.
    static constexpr std::size_t MaxPiece = 79;

    PackageFile() = default;
    ~PackageFile();
    PackageFile(const PackageFile&) = delete;
    PackageFile& operator=(const PackageFile&) = delete;

    // False unless it is a regular file that can be read, small enough for
    // 32-bit positions.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // The next piece: up to and including "\n", or MaxPiece characters of a
    // longer line. Nothing at the end of the file.
    std::optional<std::string> ReadPiece();
    std::int64_t Tell() const { return position_; }
    bool Seek(std::int64_t position);

  private:
    int NextByte();
    int PeekByte();

    std::FILE* file_ = nullptr;
    std::int64_t position_ = 0;
    char buffer_[65536] = {};
    std::size_t bufferLength_ = 0;
    std::size_t bufferIndex_ = 0;
};

// The characters that count as blanks in a package line.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace zeb40
