#include "sim/FactoryTable.h"

namespace zeb40::sim {

const ItemTable& FactoryItemTable() {
    // clang-format off
    static constexpr ItemTable table{
        // 0-9: the table's length (100, little-endian), "QRNV", 2, 1
        100, 0, 0, 0, 'Q', 'R', 'N', 'V', 2, 1,
        // 10-19: generate frame rate 12 to VITC line 2 at 18
        0, 0, 0, 0, 0, 9, 1, 10, 12, 0,
        // 20-29: LTC edge, generator time (frames 24 .. hours 27 = 10), jam mode and values
        0, 0, 0, 0, 0x00, 0x00, 0x00, 0x10, 0, 2,
        // 30-39: jam wheel, use offset, offset (frames 32 .. hours 35)
        1, 1, 0x00, 0x00, 0x00, 0x00, 0, 0, 0, 0,
        // 40-49: read frame rate 41, source 42 (shows "Auto"), VITC mode and lines
        0, 0, 0x7F, 0, 0, 10, 12, 0, 0, 0,
        // 50-59
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        // 60-69: insert source 60, position 62 and 63, size, style, filter
        1, 0, 116, 125, 0, 0, 0, 0, 0, 0,
        // 70-79: serial protocol 72, baud rate 73, format 74; carried byte 75
        0, 0, 0, 5, 1, 2, 0, 0, 0, 0,
        // 80-89: real-time source, zone, DST; norm 88, display source 89
        0, 1, 1, 0, 0, 0, 0, 0, 0, 2,
        // 90-99: brightness 90, function keys F1-F5 at 92-96
        3, 0, 7, 5, 13, 15, 0, 0, 0, 0,
    };
    // clang-format on
    return table;
}

} // namespace zeb40::sim
