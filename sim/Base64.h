#pragma once
// The standard base64 alphabet, both ways, as the emulator's own: the
// packages it writes and the flash data it programs do not go through the
// program's decoder, so a fault there cannot cancel out.

#include <cstdint>
#include <string>
#include <vector>

namespace zeb40::sim {

// With "=" padding, without line breaks.
std::string Base64Encode(const std::vector<std::uint8_t>& bytes);

// The 6-bit value of c, or -1 for a character outside the alphabet.
int Base64Value(char c);

} // namespace zeb40::sim
