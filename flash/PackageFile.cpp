#include "flash/PackageFile.h"

#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb40 {

PackageFile::~PackageFile() {
    Close();
}

bool PackageFile::Open(const std::string& path) {
    Close();
    // Only a regular file can be a package: a pipe or a device would block the
    // open or never end. Positions are kept as 32-bit offsets.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > std::numeric_limits<std::int32_t>::max() || !(file_ = fdopen(fd, "rb"))) {
        ::close(fd);
        return false;
    }
    return true;
}

void PackageFile::Close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    position_ = 0;
    bufferLength_ = bufferIndex_ = 0;
}

bool PackageFile::Seek(std::int64_t position) {
    if (!file_ || position < 0 || std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0)
        return false;
    position_ = position;
    bufferLength_ = bufferIndex_ = 0;
    return true;
}

int PackageFile::PeekByte() {
    if (bufferIndex_ == bufferLength_) {
        bufferLength_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        bufferIndex_ = 0;
        if (bufferLength_ == 0)
            return EOF;
    }
    return static_cast<unsigned char>(buffer_[bufferIndex_]);
}

int PackageFile::NextByte() {
    int byte = PeekByte();
    if (byte != EOF) {
        ++bufferIndex_;
        ++position_;
    }
    return byte;
}

std::optional<std::string> PackageFile::ReadPiece() {
    if (!file_)
        return std::nullopt;
    std::string piece;
    while (piece.size() < MaxPiece) {
        int byte = NextByte();
        if (byte == EOF)
            break;
        if (byte == '\r' && PeekByte() == '\n') {
            NextByte();
            byte = '\n';
        }
        piece += static_cast<char>(byte);
        if (byte == '\n')
            break;
    }
    if (piece.empty())
        return std::nullopt;
    return piece;
}

} // namespace zeb40
