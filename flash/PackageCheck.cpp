#include "flash/PackageCheck.h"

#include "flash/PackageLocator.h"
#include "flash/ProgrammingPiece.h"
#include "flash/ReadBackDecoder.h"

#include <cstdint>
#include <optional>
#include <string>

namespace zeb40 {
namespace {

// Where the data ends: the byte offset of its ending "=", or of the start of
// the empty line that ends it.
struct DataEnd {
    std::int64_t offset = 0;
    std::int64_t after = 0; // the file position after the piece or line that ends it
};

// The end as the programming loop finds it, reading pieces of 79 characters.
std::optional<DataEnd> PieceWiseEnd(PackageReader& file) {
    for (;;) {
        const std::int64_t start = file.Tell();
        auto piece = file.ReadPiece();
        if (!piece)
            return std::nullopt;
        ProgrammingPiece part = SplitProgrammingPiece(*piece);
        if (part.end == ProgrammingPiece::End::EmptyLine)
            return DataEnd{start, file.Tell()};
        if (part.end == ProgrammingPiece::End::Equals) {
            auto equals = part.text.data() + part.text.size() - 1 - piece->data();
            return DataEnd{start + equals, file.Tell()};
        }
    }
}

struct LineWiseResult {
    std::optional<DataEnd> end; // empty at the end of the file
    bool base64 = true;
    std::uint64_t characters = 0; // base64 characters before the end, pad not counted
};

// The end as the data really stands, taking lines whole: leading blanks, base64
// characters, at most two "=" that end the data, then trailing blanks. Lines
// are followed piece by piece, so a line of any length costs no memory.
LineWiseResult LineWiseEnd(PackageReader& file) {
    enum class Phase { Leading, Characters, Padding, Trailing };
    std::uint64_t characters = 0;
    std::uint64_t padding = 0;
    std::int64_t lineStart = file.Tell();
    std::int64_t equalsAt = -1;
    Phase phase = Phase::Leading;
    for (;;) {
        const std::int64_t pieceStart = file.Tell();
        auto piece = file.ReadPiece();
        if (!piece && padding > 0)
            return {DataEnd{equalsAt, file.Tell()}, padding <= 2 && (characters + padding) % 4 == 0,
                    characters};
        if (!piece)
            return {};
        for (std::size_t i = 0; i < piece->size(); ++i) {
            const char c = (*piece)[i];
            if (c == '\n')
                break;
            if (phase == Phase::Leading && IsBlank(c))
                continue;
            if (phase <= Phase::Characters && Base64Value(c) >= 0) {
                phase = Phase::Characters;
                ++characters;
            } else if (phase <= Phase::Padding && c == '=') {
                if (phase != Phase::Padding)
                    equalsAt = pieceStart + static_cast<std::int64_t>(i);
                phase = Phase::Padding;
                ++padding;
            } else if (IsBlank(c)) {
                phase = Phase::Trailing;
            } else {
                return {DataEnd{}, false};
            }
        }
        if (piece->back() != '\n')
            continue;
        if (padding > 0)
            return {DataEnd{equalsAt, file.Tell()}, padding <= 2 && (characters + padding) % 4 == 0,
                    characters};
        if (phase == Phase::Leading)
            return {DataEnd{lineStart, file.Tell()}, characters % 4 != 1, characters};
        lineStart = file.Tell();
        phase = Phase::Leading;
    }
}

} // namespace

FlashCheck CheckPackage(std::string_view package) {
    PackageIndex index;
    if (auto error = LocateRomPart(package, index))
        return error;
    PackageReader file(package);
    file.Seek(index.romStart);
    if (!FindLine(file, index.delimiter))
        return MakeFlashError(36, "%s missing (36)", index.delimiter);

    file.Seek(index.romStart);
    auto pieceEnd = PieceWiseEnd(file);
    file.Seek(index.romStart);
    LineWiseResult lineEnd = LineWiseEnd(file);
    if (!pieceEnd || !lineEnd.end)
        return MakeFlashError(37, "Unexpected end of .rom file (37)");
    if (!lineEnd.base64)
        return MakeFlashError(26, "The .rom data is not base64 (26)");
    if (pieceEnd->offset < lineEnd.end->offset)
        return MakeFlashError(37, ".rom data line ends on a 79-character boundary (37)");
    // An image of nothing would leave the unit erased; one larger than the
    // flash would be programmed past its end and fail only in the read-back.
    const std::uint64_t imageBytes = lineEnd.characters * 6 / 8;
    if (imageBytes == 0)
        return MakeFlashError(27, "The .rom file holds no data (27)");
    if (imageBytes > FlashCapacity)
        return MakeFlashError(24, "The .rom file holds %s bytes; the flash holds 40960 (24)",
                              std::to_string(imageBytes));

    file.Seek(pieceEnd->after);
    if (!FindLine(file, index.delimiter))
        return MakeFlashError(38, "%s missing (38)", index.delimiter);
    return std::nullopt;
}

} // namespace zeb40
