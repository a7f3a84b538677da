#include "flash/PackageLocator.h"

#include <algorithm>
#include <cctype>

namespace zeb40 {
namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    return text;
}

bool EndsWith(std::string_view name, std::string_view ending) {
    return name.size() >= ending.size() &&
           SameLetters(name.substr(name.size() - ending.size()), ending);
}

} // namespace

bool BeginsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameLetters(text.substr(0, prefix.size()), prefix);
}

std::optional<std::string> FindLine(PackageReader& file, std::string_view prefix) {
    while (auto piece = file.ReadPiece()) {
        if (!BeginsWith(*piece, prefix))
            continue;
        std::string value = piece->substr(prefix.size());
        std::erase(value, '\n');
        return value;
    }
    return std::nullopt;
}

FlashCheck LocateJamPart(std::string_view package, PackageIndex& index) {
    PackageReader file(package);
    auto boundary = FindLine(file, package_line::Boundary);
    if (!boundary)
        return MakeFlashError(13, "'Content-Type: multipart/mixed; boundary=' missing (13)");
    index.delimiter = "--" + WithoutTrailingBlanks(*boundary);
    if (!FindLine(file, index.delimiter))
        return MakeFlashError(14, "%s missing (14)", index.delimiter);
    auto name = FindLine(file, package_line::PartType);
    if (!name)
        return MakeFlashError(15,
                              "'Content-Type: text/plain; charset=US-ASCII; name=' missing (15)");
    if (!EndsWith(WithoutTrailingBlanks(*name), ".jam"))
        return MakeFlashError(16, "The first MIME part has to contain the .jam file (16)");
    auto encoding = FindLine(file, package_line::Encoding);
    if (!encoding)
        return MakeFlashError(17, "'Content-transfer-encoding: ' missing (17)");
    if (!SameLetters(WithoutTrailingBlanks(*encoding), "7bit"))
        return MakeFlashError(18, "'Content-transfer-encoding: ' wrong (18)");
    auto blankLine = file.ReadPiece();
    if (!blankLine)
        return MakeFlashError(19, "Unexpected end of .jam file (19)");
    auto text = blankLine->find_first_not_of(" \t");
    if (text == std::string::npos || (*blankLine)[text] != '\n')
        return MakeFlashError(20, "Blank line missing (20)");
    index.jamStart = static_cast<std::int32_t>(file.Tell());
    auto closing = FindLine(file, index.delimiter);
    if (!closing)
        return MakeFlashError(21, "%s missing (21)", index.delimiter);
    index.jamEnd =
        static_cast<std::int32_t>(file.Tell() - static_cast<std::int64_t>(closing->size()) -
                                  static_cast<std::int64_t>(index.delimiter.size()) - 4);
    return std::nullopt;
}

FlashCheck LocateRomPart(std::string_view package, PackageIndex& index) {
    if (index.jamStart == 0) {
        if (auto error = LocateJamPart(package, index))
            return error;
    }
    PackageReader file(package);
    // A delimiter within the first bytes of the file puts jamEnd before it.
    file.Seek(std::max<std::int32_t>(index.jamEnd, 0));
    auto name = FindLine(file, package_line::PartType);
    if (!name)
        return MakeFlashError(23,
                              "'Content-Type: text/plain; charset=US-ASCII; name=' missing (23)");
    if (!EndsWith(*name, ".rom"))
        return MakeFlashError(24, "The second MIME file has to contain the .rom file (24)");
    auto encoding = FindLine(file, package_line::Encoding);
    if (!encoding)
        return MakeFlashError(25, "'Content-transfer-encoding: ' missing (25)");
    if (!SameLetters(*encoding, "base64"))
        return MakeFlashError(26, "'Content-transfer-encoding: ' wrong (26)");
    auto emptyLine = file.ReadPiece();
    if (!emptyLine)
        return MakeFlashError(27, "Unexpected end of .rom file (27)");
    if ((*emptyLine)[0] != '\n')
        return MakeFlashError(28, "Blank line missing (28)");
    index.romStart = static_cast<std::int32_t>(file.Tell());
    return std::nullopt;
}

} // namespace zeb40
