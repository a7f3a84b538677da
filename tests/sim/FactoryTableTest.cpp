#include "sim/FactoryTable.h"

#include "config/ConfigItemTable.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

// The emulator writes its factory settings out by hand; the program builds its
// default table from the settings table. Either one being wrong shows here.
TEST(FactoryTable, EqualsTheProgramsDefaultTableByteForByte) {
    const sim::ItemTable& unit = sim::FactoryItemTable();
    const ConfigItemTable& program = DefaultConfigItemTable();
    ASSERT_EQ(unit.size(), program.size());
    for (std::size_t item = 0; item < unit.size(); ++item)
        EXPECT_EQ(unit[item], program[item]) << "byte " << item;
}

} // namespace
} // namespace zeb40
