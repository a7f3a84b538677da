#pragma once
// The 100-byte image of the unit's configuration items (byte n = item n) and
// the flag that says it changed since the last New, Open or Save.

#include <array>
#include <cstdint>

namespace zeb40 {

using ConfigItemTable = std::array<std::uint8_t, 100>;

// Whether item 88 selects NTSC; every other value means PAL.
bool IsNtsc(const ConfigItemTable& table);

// The built-in default table, header bytes 0-11 included.
const ConfigItemTable& DefaultConfigItemTable();

// The process-wide configuration: the table and ConfigModified.
struct ConfigState {
    ConfigItemTable table = DefaultConfigItemTable();
    bool modified = false; // ConfigModified
};

// The unit's item capacity and use, as 'e' 0x95 reports them.
struct ItemStatus {
    int capacity = 0; // bits 0-7
    int inUse = 0;    // bits 16-23
    static ItemStatus FromWord(std::uint32_t word) {
        return {static_cast<int>(word & 0xFF), static_cast<int>((word >> 16) & 0xFF)};
    }
    int Free() const { return capacity - inUse; }
    bool NoneLeft() const { return capacity == inUse; }
};

} // namespace zeb40
