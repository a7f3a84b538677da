#include "flash/PackageFile.h"

#include <limits>

namespace zeb40 {

PackageFile::~PackageFile() {
    Close();
}

bool PackageFile::Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_)
        return false;
    // Positions are kept as 32-bit offsets; a larger file cannot be a package.
    if (std::fseek(file_, 0, SEEK_END) != 0 ||
        std::ftell(file_) > std::numeric_limits<std::int32_t>::max() || !Seek(0)) {
        Close();
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
