#pragma once
// The transport for whatever port name the operator gives: this computer's
// serial port for a device, a serial device server's port for
// "rfc2217://HOST:PORT" and "tcp://HOST:PORT". The choice is made afresh on
// every Open.

#include "link/ByteTransport.h"

#include <memory>

namespace zeb40 {

std::unique_ptr<ByteTransport> MakePortTransport();

} // namespace zeb40
