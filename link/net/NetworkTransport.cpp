#include "link/net/NetworkTransport.h"

#include "link/net/NetworkPortName.h"
#include "link/net/RawTcpTransport.h"
#include "link/net/Rfc2217Transport.h"

namespace zeb40 {

std::unique_ptr<ByteTransport> MakeNetworkTransport(std::string_view name) {
    std::optional<NetworkProtocol> protocol = NetworkProtocolOf(name);
    if (!protocol)
        return nullptr;
    if (*protocol == NetworkProtocol::RawTcp)
        return std::make_unique<RawTcpTransport>();
    return std::make_unique<Rfc2217Transport>();
}

} // namespace zeb40
