#pragma once
// The whole-package check that runs before the unit is touched, so that a
// malformed package never leaves the unit with erased flash: both parts'
// framing, the ".rom" data (base64, its end, the delimiter after it) and data
// lines whose piece-wise reading would end the data too early, and an image
// that is empty or larger than the flash.

#include "flash/FlashError.h"

#include <cstdint>
#include <string_view>

namespace zeb40 {

// The bytes the update programs, from 2000h up to BFFFh.
inline constexpr std::uint64_t FlashCapacity = 0xC000 - 0x2000;

// The same numbered errors the update reports when it meets the fault itself;
// in addition "(26)" for data that is not base64 and "(37)" for a data line
// that ends on a 79-character boundary, "(27)" for an image of no bytes and
// "(24)" for one larger than FlashCapacity.
FlashCheck CheckPackage(std::string_view package);

} // namespace zeb40
