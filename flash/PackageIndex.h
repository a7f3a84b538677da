#pragma once

#include <cstdint>
#include <string>

namespace zeb40 {

// Where the parts of a flash update package stand, as byte offsets of the
// stored file. 0 means "not located yet".
struct PackageIndex {
    std::string delimiter; // "--" and the boundary, at most 79 characters
    std::int32_t jamStart = 0;
    std::int32_t jamEnd = 0;
    std::int32_t romStart = 0;
};

} // namespace zeb40
