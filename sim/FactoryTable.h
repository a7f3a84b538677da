#pragma once
// The unit's factory settings as it keeps them, header bytes included. Written
// out here rather than taken from the program's settings table, so the two
// are checked against each other instead of agreeing by construction.

#include <array>
#include <cstdint>

namespace zeb40::sim {

using ItemTable = std::array<std::uint8_t, 100>;

const ItemTable& FactoryItemTable();

} // namespace zeb40::sim
