#include "link/PortNames.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

TEST(PortNames, ComNamesMapToFixedDevices) {
    EXPECT_EQ(DevicePathForName("COM1"), "/dev/ttyS0");
    EXPECT_EQ(DevicePathForName("com4"), "/dev/ttyS3");
    EXPECT_EQ(DevicePathForName("Communications Port (COM4)"), "/dev/ttyS3");
    EXPECT_EQ(DevicePathForName("communications port (com4)"), "/dev/ttyS3");
    EXPECT_EQ(DevicePathForName("USB Serial Port (COM101)"), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForName(" (COM203)"), "/dev/ttyACM2");
    EXPECT_EQ(DevicePathForName("COM2"), "/dev/ttyS1");
}

TEST(PortNames, OtherNamesAreUsedWhole) {
    EXPECT_EQ(DevicePathForName("Port (COM0)"), "/dev/Port (COM0)");
    EXPECT_EQ(DevicePathForName("Port (LPT1)"), "/dev/Port (LPT1)");
    EXPECT_EQ(DevicePathForName("COM0"), "/dev/COM0");
    EXPECT_EQ(DevicePathForName(""), "/dev/");
    EXPECT_EQ(DevicePathForName("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(DevicePathForName("/dev/pts/3"), "/dev/pts/3");
}

TEST(PortNames, NumberingRoundTrips) {
    for (const char* device :
         {"ttyS0", "ttyS31", "ttyUSB0", "ttyUSB7", "ttyACM0", "ttyAMA1", "rfcomm0"}) {
        auto number = ComNumberForDevice(device);
        ASSERT_TRUE(number) << device;
        EXPECT_EQ(DeviceForComNumber(*number), "/dev/" + std::string(device));
    }
    EXPECT_EQ(ComNumberForDevice("/dev/ttyUSB1"), 102u);
    EXPECT_FALSE(ComNumberForDevice("pts/3"));
    EXPECT_FALSE(ComNumberForDevice("ttyS"));
    EXPECT_FALSE(ComNumberForDevice("ttyUSB100"));
    EXPECT_FALSE(DeviceForComNumber(0));
    EXPECT_FALSE(DeviceForComNumber(999));
}

} // namespace
} // namespace zeb40
