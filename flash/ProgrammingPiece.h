#pragma once
// What the programming loop makes of one piece of the ".rom" data: the
// characters it sends and whether the data ends with this piece.

#include <string_view>

namespace zeb40 {

struct ProgrammingPiece {
    enum class End {
        More,      // the data goes on with the next piece
        EmptyLine, // an empty or blank piece: the program sends "=" itself
        Equals,    // the last character sent is the data's own "="
    };
    std::string_view text; // the characters to send, in order
    End end = End::More;
};

// piece as PackageReader::ReadPiece returns it.
ProgrammingPiece SplitProgrammingPiece(std::string_view piece);

} // namespace zeb40
