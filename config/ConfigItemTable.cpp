#include "config/ConfigItemTable.h"

#include "config/ItemDescriptions.h"

namespace zeb40 {
namespace {

ConfigItemTable BuildDefaultTable() {
    ConfigItemTable table{};
    // Header: the table's length as a little-endian word, "QRNV", 2, 1, 0, 0.
    table[0] = 100;
    table[4] = 'Q';
    table[5] = 'R';
    table[6] = 'N';
    table[7] = 'V';
    table[8] = 2;
    table[9] = 1;
    // The one carried byte that is not 0 in the factory table.
    table[75] = 2;
    for (const auto& description : SettingItems())
        table[static_cast<std::size_t>(description.item)] = description.defaultValue;
    return table;
}

} // namespace

bool IsNtsc(const ConfigItemTable& table) {
    return table[item::Norm] == NtscNorm;
}

const ConfigItemTable& DefaultConfigItemTable() {
    static const ConfigItemTable table = BuildDefaultTable();
    return table;
}

} // namespace zeb40
