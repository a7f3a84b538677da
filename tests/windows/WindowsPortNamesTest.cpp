#include "link/PortNames.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

TEST(WindowsPortNamesTest, ListedEntriesOpenTheirComPortAndOtherNamesOpenAsTheyAre) {
    EXPECT_EQ(DevicePathForName("COM4"), "\\\\.\\COM4");
    EXPECT_EQ(DevicePathForName("Communications Port (COM4)"), "\\\\.\\COM4");
    EXPECT_EQ(DevicePathForName("communications port (com4)"), "\\\\.\\COM4");
    EXPECT_EQ(DevicePathForName("USB Serial Port (COM12)"), "\\\\.\\COM12");
    EXPECT_EQ(DevicePathForName(" (COM5)"), "\\\\.\\COM5");
    EXPECT_EQ(DevicePathForName("Port (COM0)"), "\\\\.\\Port (COM0)");
    EXPECT_EQ(DevicePathForName("Port (LPT1)"), "\\\\.\\Port (LPT1)");
    EXPECT_EQ(DevicePathForName("(COM)"), "\\\\.\\(COM)");
    EXPECT_EQ(DevicePathForName(""), "\\\\.\\");
}

} // namespace
} // namespace zeb40
