#pragma once
// The transport for a port on a serial device server.

#include "link/ByteTransport.h"

#include <memory>
#include <string_view>

namespace zeb40 {

// For "rfc2217://..." or "tcp://..." names; empty for any other name.
std::unique_ptr<ByteTransport> MakeNetworkTransport(std::string_view name);

} // namespace zeb40
