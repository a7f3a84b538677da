#pragma once
// Port names of units behind a serial device server: "rfc2217://HOST:PORT"
// (Telnet with com port control, the line set by this program) and
// "tcp://HOST:PORT" (a plain byte stream, the line set at the server). An
// IPv6 address goes in brackets: "rfc2217://[fd00::5]:4001".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40 {

enum class NetworkProtocol { Rfc2217, RawTcp };

struct NetworkPortName {
    NetworkProtocol protocol = NetworkProtocol::Rfc2217;
    std::string host; // without the brackets of an IPv6 address
    std::uint16_t port = 0;
};

// True for a name that begins with "rfc2217://" or "tcp://", in any case:
// it never names a local device, even when the rest is malformed.
bool IsNetworkPortName(std::string_view name);
// The protocol such a name begins with.
std::optional<NetworkProtocol> NetworkProtocolOf(std::string_view name);

// The parts of a network port name; empty when the name has no such
// beginning or the rest is not HOST:PORT with a port from 1 to 65535.
std::optional<NetworkPortName> ParseNetworkPortName(std::string_view name);

} // namespace zeb40
