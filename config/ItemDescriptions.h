#pragma once
// The one description of the unit's 45 setting items: number, encoding, list
// texts, window group and label, field range, the bounds per norm and insert
// size, default and the stable name the command-line tool uses.
// Windows, rules, files and the tool all read from here; no list or bound is
// written anywhere else.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zeb40 {

// The items the rules single out by number.
namespace item {
inline constexpr int ReadSource = 42;
inline constexpr int InsertSource = 60;
inline constexpr int Horizontal = 62;
inline constexpr int Vertical = 63;
inline constexpr int InsertSize = 64;
inline constexpr int Norm = 88;
inline constexpr int Bright = 90;
} // namespace item

// Item 88's value for NTSC; any other value means PAL.
inline constexpr int NtscNorm = 1;
// The Size combo's selection for "Small"; "Large" and no selection count as large.
inline constexpr int SmallInsert = 0;

enum class ItemEncoding {
    Index,   // zero-based position in the list
    Number,  // the number shown
    Bcd,     // two decimal digits, tens in the high nibble
    OffFlag, // index; bit 7 means Off and keeps the former source in bits 0-6
    Check,   // 0 or 1
};

struct ItemDescription {
    int item;               // 12..96
    std::string_view name;  // stable name, e.g. "generate.frame-rate"
    std::string_view group; // window group, e.g. "Generate"
    std::string_view label; // window label, e.g. "Frame Rate"
    ItemEncoding encoding;
    std::span<const std::string_view> list; // entries of Index and OffFlag items
    int offEntry;                           // OffFlag: index of "Off"; else -1
    int fieldMin, fieldMax;                 // the window field's validation range
    std::uint8_t defaultValue;
};

// What the bounds depend on: the norm and the Size the window shows (not item
// 64: the combo may differ from the table until it is written).
struct BoundsBasis {
    bool ntsc = false;
    int sizeSelection = SmallInsert;
};

// An inclusive range of item values; BCD items are bounded in BCD bytes.
struct ItemBounds {
    int minimum;
    int maximum;
};

// The bound SetItem applies to the item; nothing for items without one.
std::optional<ItemBounds> SetItemBounds(int item, const BoundsBasis& basis);

// The items a norm change bounds anew, in that order: the VITC lines, the jam
// offset frames, the wheel and the position (not the generator's frames).
std::span<const int> NormBoundItems();

int MaxHorizontalPosition(int sizeSelection);
int MaxVerticalPosition(bool ntsc, int sizeSelection);

// In item order.
std::span<const ItemDescription> SettingItems();
const ItemDescription* FindItem(int item);
const ItemDescription* FindItemByName(std::string_view name);

// The order in which ReadConfigFromUnit reads and ApplyAll writes the items.
std::span<const int> ReadOrder();
std::span<const int> ApplyOrder();

// The value the window's control shows for a stored item (the window's
// loading rule): the combo index (Read Source as value & 3, an Off-flag value
// as the Off entry, -1 for no valid entry), the decimal of a BCD item, the
// number or the check state.
int ControlValueFromItem(const ItemDescription& description, std::uint8_t stored);

// Packed BCD of the time items: decimal 12 <-> 0x12.
int BcdFromDecimal(int decimal);
int DecimalFromBcd(int bcd);

} // namespace zeb40
