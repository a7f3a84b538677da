#pragma once
// Positions of the flash update's progress bar (0 to 1000).

#include <cstdint>

namespace zeb40::flash_progress {

inline constexpr int Maximum = 1000;
inline constexpr int InFlashMode = 10;
inline constexpr int ErasedFirst = 10; // + 8 per block
inline constexpr int ProgrammingStart = 50;
inline constexpr int ProgrammingSpan = 250;
inline constexpr int ReadBackStart = 300;
inline constexpr int ReadBackSpan = 700;

// start + (position - dataStart) x span / (dataEnd - dataStart), in 64 bits so
// that large files cannot overflow.
inline int Position(int start, int span, std::int64_t position, std::int64_t dataStart,
                    std::int64_t dataEnd) {
    if (dataEnd <= dataStart)
        return start;
    return start + static_cast<int>((position - dataStart) * span / (dataEnd - dataStart));
}

} // namespace zeb40::flash_progress
