#include "flash/ReadBackDecoder.h"

#include <algorithm>
#include <cstdio>

namespace zeb40 {

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool ReadBackDecoder::WorkOnPiece(std::string_view piece, ReadBackPeer& peer) {
    return Work(piece, &peer);
}

bool ReadBackDecoder::Work(std::string_view piece, ReadBackPeer* peer) {
    std::size_t at = 0;
    while (at < piece.size() && IsBlank(piece[at]))
        ++at;
    if (at == piece.size() || piece[at] == '\n')
        return true;

    const std::size_t padEnd = piece.find("=\n", at);
    std::size_t readAhead = 0;
    char stoppedAt = '\n';
    for (;;) {
        const char c = piece[at];
        if (readAhead == 0 && padEnd != std::string_view::npos) {
            std::size_t m = piece.find('=', at) - at;
            readAhead = std::min<std::size_t>(3 * m / 4, 4);
            if (readAhead > 0 && peer)
                peer->RequestBytes(readAhead);
        }
        const int value = Base64Value(c);
        if (value < 0) {
            stoppedAt = c;
            break;
        }
        accumulator_ = (accumulator_ << 6) + static_cast<std::uint32_t>(value);
        bitsHeld_ += 6;
        if (bitsHeld_ >= 8) {
            bitsHeld_ -= 8;
            const unsigned byte = ((accumulator_ & 0xFFFF) >> bitsHeld_) & 0xFF;
            if (readAhead > 0)
                --readAhead;
            else if (peer)
                peer->RequestBytes(1);
            char expected[3];
            std::snprintf(expected, sizeof expected, "%02X", byte);
            passed_ = !peer || peer->ReadReply() == expected;
            ++compared_;
            if (!passed_) {
                stoppedAt = c;
                break;
            }
        }
        ++at;
        if (at == piece.size() || piece[at] == '\n')
            break;
    }
    return stoppedAt == '=' || !passed_;
}

std::uint64_t ReadBackDecoder::BytesToCompare(PackageReader file) {
    ReadBackDecoder decoder(true);
    while (auto piece = file.ReadPiece()) {
        if (decoder.Work(*piece, nullptr))
            break;
    }
    return decoder.BytesCompared();
}

} // namespace zeb40
