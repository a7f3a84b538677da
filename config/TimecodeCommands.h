#pragma once
// The unit's running timecodes as the configuration window shows them, and
// loading a start time and user bits into the generator.

#include "link/UnitLink.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40 {

enum class TimecodeSource { Reader, Generator };

// Hours in bits 31-24 down to frames in bits 7-0, each packed BCD.
std::uint32_t TimecodeWord(int hours, int minutes, int seconds, int frames);

// "HH:MM:SS:FF  UUUUUUUU": the four time bytes as two hex digits each, two
// blanks, the user bits as eight upper-case hex digits.
std::string TimecodeCaption(std::uint32_t timecode, std::uint32_t userBits);

// Polls one running timecode ('e' 3 or 'e' 23h). Ok, with the caption set,
// only when the reply was a pair of values; the caption is left otherwise.
LinkResult ReadTimecode(UnitLink& link, TimecodeSource source, std::string& caption);

// The user bits text read as "%8lx": leading blanks skipped, at most eight
// characters, stopping at the first that is not hexadecimal.
std::optional<std::uint32_t> ParseUserBits(std::string_view text);

// 'D' with the user bits (only when the text parses), 'A' with the time,
// then 'P' 24 and 'L' with the time to store it as the generator preset.
// Every command is sent whatever the replies before it were.
// The result is the first exchange that failed, Ok when all were accepted.
LinkResult SetGenerator(UnitLink& link, std::uint32_t timecode, std::string_view userBitsText);

// 'E' 41h: the unit's single jam function.
LinkResult SingleJam(UnitLink& link);

} // namespace zeb40
