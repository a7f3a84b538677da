#pragma once
// Decoding of the unit's echo and reply lines. Lines are untrusted: any bytes,
// any length.

#include "link/ReplyCode.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace zeb40 {

struct Echo {
    char letter = 0;
    std::uint32_t value = 0; // 0 when no number follows the letter
};

struct Reply {
    ReplyCode code = ReplyCode::Value;
    std::uint32_t value = 0;
    std::uint32_t second = 0;
};

// Reads a hexadecimal number the way "%lx" does: leading white space, an
// optional sign and "0x", then hex digits. Values beyond 32 bits are cut to
// 32 bits, as "%lx" reads them.
// Returns the number and how many characters it took, or nothing.
struct ScannedNumber {
    std::uint32_t value;
    std::size_t length;
};
std::optional<ScannedNumber> ScanHex(std::string_view text);

// "%c%lx\r\n"; nothing only for an empty line.
std::optional<Echo> DecodeEcho(std::string_view line);

// The reply line: a two-letter code with CR LF, or (with a second slot) two
// numbers "%lx, %lx", or one number "%lx". Nothing when undecodable.
std::optional<Reply> DecodeReply(std::string_view line, bool withSecondSlot);

} // namespace zeb40
