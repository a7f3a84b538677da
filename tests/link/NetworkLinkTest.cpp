// Units behind a serial device server: Debian's ser2net on loopback in front
// of the emulated unit, and a small fake server for what ser2net never does.

#include "link/PortTransport.h"
#include "link/UnitLink.h"
#include "link/net/TelnetCodec.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/Ser2netServer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace zeb40::test {
namespace {

using namespace telnet;

class BehindSer2net : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { ASSERT_TRUE(unit.Start()) << "no pseudo-terminal"; }
    void TearDown() override {
        link.CloseIfOpen();
        unit.Stop();
    }
    sim::Emulator unit;
    UnitLink link{MakePortTransport(), SteadyClock()};
};

TEST_P(BehindSer2net, ProbesReadsAndWrites) {
    Ser2netServer server(GetParam(), unit.DevicePath(), "chardelay: false");
    ASSERT_TRUE(server.Running()) << "ser2net did not start";
    ASSERT_TRUE(link.OpenByName(server.PortName())) << link.OpenFailureDetail();
    ASSERT_TRUE(link.Probe());
    ReplyCode code{};
    std::uint16_t version = 0;
    ASSERT_TRUE(link.QueryWord('e', 0x99, code, version));
    EXPECT_EQ(version, 0x0346);
    EXPECT_TRUE(link.Command('P', 12));
    EXPECT_TRUE(link.Command('C', 3));
    std::uint8_t item = 0;
    ASSERT_TRUE(link.QueryByte('c', 12, code, item));
    EXPECT_EQ(item, 3);
}

TEST_P(BehindSer2net, BusyPortGivesTheServersReason) {
    Ser2netServer server(GetParam(), unit.DevicePath());
    ASSERT_TRUE(server.Running());
    ASSERT_TRUE(link.OpenByName(server.PortName())) << link.OpenFailureDetail();
    UnitLink second{MakePortTransport(), SteadyClock()};
    EXPECT_FALSE(second.OpenByName(server.PortName()));
    EXPECT_EQ(second.OpenFailureDetail(), server.PortName() + ": Port already in use");
    EXPECT_EQ(second.OpenFailureReason(), "Port already in use");
    EXPECT_FALSE(second.IsOpen());
}

TEST_P(BehindSer2net, DeviceTheServerCannotOpen) {
    Ser2netServer server(GetParam(), "/dev/zeb40-no-such-device");
    ASSERT_TRUE(server.Running());
    EXPECT_FALSE(link.OpenByName(server.PortName()));
    EXPECT_EQ(link.OpenFailureReason().rfind("Device open failure", 0), 0u)
        << link.OpenFailureReason();
}

TEST_P(BehindSer2net, KilledServerIsALostLine) {
    auto server = std::make_unique<Ser2netServer>(GetParam(), unit.DevicePath());
    ASSERT_TRUE(server->Running());
    ASSERT_TRUE(link.OpenByName(server->PortName())) << link.OpenFailureDetail();
    ASSERT_TRUE(link.Probe());
    server->Kill();
    EXPECT_FALSE(link.Command('P', 3));
    EXPECT_TRUE(link.Lost());
    EXPECT_FALSE(link.Command('C', 1));
}

TEST_P(BehindSer2net, NoServerIsARefusedConnection) {
    Ser2netServer server(GetParam(), unit.DevicePath());
    const std::string name = server.PortName();
    server.Kill();
    EXPECT_FALSE(link.OpenByName(name));
    EXPECT_EQ(link.OpenFailureReason(), "Connection refused");
}

INSTANTIATE_TEST_SUITE_P(BothKinds, BehindSer2net, ::testing::Values("telnet(rfc2217),tcp", "tcp"),
                         [](const auto& info) {
                             return std::string(info.param) == "tcp" ? "RawTcp" : "Rfc2217";
                         });

// An RFC 2217 server on loopback that echoes data one byte a packet, so that
// every doubled 0xFF is split, and never acknowledges DTR, RTS or flow
// control.
class FakeRfc2217Server {
  public:
    explicit FakeRfc2217Server(std::uint32_t baud) : baud_(baud) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 1);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~FakeRfc2217Server() {
        shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        thread_.join();
    }
    std::string PortName() const { return "rfc2217://127.0.0.1:" + std::to_string(port_); }

  private:
    static void Send(int fd, const std::string& bytes) {
        for (char c : bytes)
            ::send(fd, &c, 1, MSG_NOSIGNAL);
    }
    void Serve() {
        int fd = accept(listener_, nullptr, nullptr);
        if (fd < 0)
            return;
        Send(fd, Request(Will, 3) + Request(Do, BinaryOption) + Request(Will, BinaryOption) +
                     Request(Do, ComPortOption));
        Receiver receiver;
        char buffer[512];
        for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) {
            std::string_view bytes(buffer, static_cast<std::size_t>(n));
            while (!bytes.empty()) {
                std::string data;
                std::optional<Event> event;
                bytes.remove_prefix(receiver.Take(bytes, data, event));
                Send(fd, Escaped(data));
                if (event && event->kind == Event::Kind::Subnegotiation && !event->payload.empty())
                    Answer(fd, *event);
            }
        }
        ::close(fd);
    }
    void Answer(int fd, const Event& event) {
        const auto command = static_cast<unsigned char>(event.payload[0]);
        std::string answer(1, static_cast<char>(command + 100));
        if (command == 1) {
            answer += {static_cast<char>(baud_ >> 24), static_cast<char>(baud_ >> 16),
                       static_cast<char>(baud_ >> 8), static_cast<char>(baud_)};
        } else if (command == 5) {
            return;
        } else {
            answer += event.payload.substr(1);
        }
        Send(fd, Subnegotiation(ComPortOption, answer));
    }

    std::uint32_t baud_;
    int listener_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST(FakeRfc2217Server, EveryByteValueInEveryPositionWithoutAcknowledgements) {
    FakeRfc2217Server server(38400);
    auto transport = MakePortTransport();
    ASSERT_TRUE(transport->Open(server.PortName())) << transport->OpenFailureDetail();
    std::string data;
    for (int i = 0; i < 256; ++i)
        data += static_cast<char>(i);
    data += "\xFF\xFF\xFF";
    for (std::size_t shift : {0, 1, 2}) {
        std::string sent = std::string(shift, 'x') + data;
        ASSERT_TRUE(transport->Write(sent.data(), sent.size(), 1000));
        std::string back(sent.size(), '\0');
        ASSERT_EQ(transport->Read(back.data(), back.size(), {3000, 500}), sent.size());
        EXPECT_EQ(back, sent);
    }
}

TEST(FakeRfc2217Server, ServerThatSetsAnotherBaudRateFailsTheOpen) {
    FakeRfc2217Server server(9600);
    auto transport = MakePortTransport();
    EXPECT_FALSE(transport->Open(server.PortName()));
    EXPECT_FALSE(transport->IsOpen());
    EXPECT_NE(transport->OpenFailureDetail().find("the server set 9600 baud instead of 38400"),
              std::string::npos)
        << transport->OpenFailureDetail();
}

} // namespace
} // namespace zeb40::test
