#include "link/discovery/PortDiscovery.h"

#include "link/PortNames.h"
#include "link/discovery/PortList.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

PortSource Fixed(std::vector<FoundPort> ports) {
    return [ports] { return ports; };
}

TEST(EnumerateSerialPorts, NumbersDevicesInsideTheComNumbering) {
    std::vector<unsigned> numbers{99};
    std::vector<std::string> descriptions{"stale"};
    ASSERT_TRUE(EnumerateSerialPorts(numbers, descriptions,
                                     Fixed({{"ttyS0", "Communications Port"},
                                            {"lp0", "Printer Port"},
                                            {"ttyUSB9", "USB Serial Port"},
                                            {"pts/3", "Pseudo terminal"},
                                            {"ttyS4", ""},
                                            {"ttyACM0", "Modem"}})));
    EXPECT_EQ(numbers, (std::vector<unsigned>{1, 110, 5, 201}));
    EXPECT_EQ(descriptions,
              (std::vector<std::string>{"Communications Port", "USB Serial Port", "", "Modem"}));
}

TEST(EnumerateSerialPorts, WithoutSourceTheListsStayEmpty) {
    std::vector<unsigned> numbers{1};
    std::vector<std::string> descriptions{"x"};
    EXPECT_FALSE(EnumerateSerialPorts(numbers, descriptions, PortSource()));
    EXPECT_TRUE(numbers.empty());
    EXPECT_TRUE(descriptions.empty());
}

TEST(EnumerateSerialPorts, ThisMachinesPortsAreListedWithOpenableNumbers) {
    std::vector<unsigned> numbers;
    std::vector<std::string> descriptions;
    ASSERT_TRUE(EnumerateSerialPorts(numbers, descriptions));
    ASSERT_EQ(numbers.size(), descriptions.size());
    for (unsigned number : numbers)
        EXPECT_TRUE(DeviceForComNumber(number)) << number;
}

TEST(PortEntries, DescriptionAndNumberSortedAlphabetically) {
    EXPECT_EQ(SortedPortEntries({10, 1, 105}, {"USB Serial Port", "Communications Port", "Zebra"}),
              (std::vector<std::string>{"Communications Port (COM1)", "USB Serial Port (COM10)",
                                        "Zebra (COM105)"}));
    EXPECT_EQ(SortedPortEntries({2, 1}, {"b port", "A port"}),
              (std::vector<std::string>{"A port (COM1)", "b port (COM2)"}));
}

TEST(PortEntries, WithoutDescriptionTheDeviceNamesTheEntry) {
    EXPECT_EQ(PortEntryText(1, ""), "ttyS0 (COM1)");
    EXPECT_EQ(PortEntryText(105, ""), "ttyUSB4 (COM105)");
    EXPECT_EQ(PortEntryText(1, "Communications Port"), "Communications Port (COM1)");
    // Sorted by that name, as the operator reads it.
    EXPECT_EQ(SortedPortEntries({101, 1, 5}, {"USB Serial Port", "Communications Port", ""}),
              (std::vector<std::string>{"Communications Port (COM1)", "ttyS4 (COM5)",
                                        "USB Serial Port (COM101)"}));
    // Typing the start of the device name finds it again.
    EXPECT_EQ(ReselectedEntry({"Communications Port (COM1)", "ttyS4 (COM5)"}, "ttys4"), 1);
}

TEST(PortEntries, EveryEntryOpensItsDevice) {
    std::vector<unsigned> numbers;
    std::vector<std::string> descriptions;
    EnumerateSerialPorts(numbers, descriptions,
                         Fixed({{"ttyUSB0", "USB Serial Port"}, {"ttyS1", ""}}));
    for (const std::string& entry : SortedPortEntries(numbers, descriptions))
        EXPECT_NE(DevicePathForName(entry), entry) << entry;
    EXPECT_EQ(DevicePathForName("USB Serial Port (COM101)"), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForName("ttyS1 (COM2)"), "/dev/ttyS1");
}

TEST(ReselectedEntry, PrefixWithoutRegardToCaseFromTheSecondEntryOn) {
    const std::vector<std::string> described{"Communications Port (COM1)",
                                             "USB Serial Port (COM10)"};
    EXPECT_EQ(ReselectedEntry(described, "Communications Port (COM1)"), 0);
    EXPECT_EQ(ReselectedEntry(described, "usb serial"), 1);
    // Plain names begin no described entry: nothing is selected.
    EXPECT_EQ(ReselectedEntry(described, "COM1"), -1);

    const std::vector<std::string> plain{"COM1", "COM2", "COM3", "COM4"};
    EXPECT_EQ(ReselectedEntry(plain, "COM1"), 0);
    EXPECT_EQ(ReselectedEntry(plain, "com"), 1);
    EXPECT_EQ(ReselectedEntry(plain, "COM12"), -1);
    EXPECT_EQ(ReselectedEntry({}, "COM1"), -1);
}

} // namespace
} // namespace zeb40
