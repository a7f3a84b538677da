#include "flash/PackageReader.h"

#include <algorithm>

namespace zeb40 {

void PackageReader::Seek(std::int64_t position) {
    position_ = static_cast<std::size_t>(
        std::clamp<std::int64_t>(position, 0, static_cast<std::int64_t>(bytes_.size())));
}

std::optional<std::string> PackageReader::ReadPiece() {
    std::string piece;
    while (piece.size() < MaxPiece && position_ < bytes_.size()) {
        char byte = bytes_[position_++];
        if (byte == '\r' && position_ < bytes_.size() && bytes_[position_] == '\n') {
            ++position_;
            byte = '\n';
        }
        piece += byte;
        if (byte == '\n')
            break;
    }
    if (piece.empty())
        return std::nullopt;
    return piece;
}

} // namespace zeb40
