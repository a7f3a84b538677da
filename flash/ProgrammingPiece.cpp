#include "flash/ProgrammingPiece.h"

#include "flash/PackageReader.h"

namespace zeb40 {

ProgrammingPiece SplitProgrammingPiece(std::string_view piece) {
    std::size_t start = 0;
    while (start < piece.size() && IsBlank(piece[start]))
        ++start;
    std::string_view rest = piece.substr(start);
    if (rest.empty() || rest.front() == '\n')
        return {{}, ProgrammingPiece::End::EmptyLine};
    // Everything before the "=" that ends the line goes out at once; from
    // there on, one character at a time until the line end or the first "=".
    std::size_t next = 0;
    if (auto padEnd = rest.find("=\n"); padEnd != std::string_view::npos)
        next = padEnd;
    for (; next < rest.size() && rest[next] != '\n'; ++next) {
        if (rest[next] == '=')
            return {rest.substr(0, next + 1), ProgrammingPiece::End::Equals};
    }
    return {rest.substr(0, next), ProgrammingPiece::End::More};
}

} // namespace zeb40
