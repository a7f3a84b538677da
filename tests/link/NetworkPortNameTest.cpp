// Network port names: which names are network ports and what they hold.

#include "link/net/NetworkPortName.h"

#include "link/PortNames.h"

#include <gtest/gtest.h>

namespace zeb40 {
namespace {

TEST(NetworkPortName, HostAndPortOfBothKinds) {
    auto telnet = ParseNetworkPortName("rfc2217://rack-3.studio:4001");
    ASSERT_TRUE(telnet);
    EXPECT_EQ(telnet->protocol, NetworkProtocol::Rfc2217);
    EXPECT_EQ(telnet->host, "rack-3.studio");
    EXPECT_EQ(telnet->port, 4001);
    auto raw = ParseNetworkPortName("TCP://10.0.0.5:65535");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->protocol, NetworkProtocol::RawTcp);
    EXPECT_EQ(raw->host, "10.0.0.5");
    EXPECT_EQ(raw->port, 65535);
}

TEST(NetworkPortName, Ipv6InBrackets) {
    auto name = ParseNetworkPortName("rfc2217://[fd00::5]:4001");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->host, "fd00::5");
    EXPECT_EQ(name->port, 4001);
    EXPECT_FALSE(ParseNetworkPortName("rfc2217://fd00::5:4001"));
    EXPECT_FALSE(ParseNetworkPortName("rfc2217://[fd00::5]4001"));
    EXPECT_FALSE(ParseNetworkPortName("rfc2217://[host]:4001"));
}

TEST(NetworkPortName, MalformedNamesAreStillNetworkNames) {
    for (const char* name :
         {"rfc2217://", "rfc2217://host", "rfc2217://host:", "tcp://:4001", "tcp://host:0",
          "tcp://host:65536", "tcp://host:40a1", "tcp://host:4001/", "tcp://ho st:4001"}) {
        EXPECT_TRUE(IsNetworkPortName(name)) << name;
        EXPECT_FALSE(ParseNetworkPortName(name)) << name;
    }
    EXPECT_FALSE(IsNetworkPortName("COM3"));
    EXPECT_FALSE(IsNetworkPortName("ttyUSB0"));
    EXPECT_FALSE(IsNetworkPortName("telnet://host:23"));
}

TEST(NetworkPortName, KeptAsTypedWhereDevicePathsAreMade) {
    EXPECT_EQ(DevicePathForName("rfc2217://127.0.0.1:4001"), "rfc2217://127.0.0.1:4001");
    EXPECT_EQ(DevicePathForName("tcp://[::1]:4001"), "tcp://[::1]:4001");
}

} // namespace
} // namespace zeb40
