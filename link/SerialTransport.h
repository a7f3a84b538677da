#pragma once
// The serial port of the platform the program was built for (a POSIX terminal
// device, or a Windows COM port), as the transport under the unit's protocol.

#include "link/ByteTransport.h"

#include <memory>

namespace zeb40 {

std::unique_ptr<ByteTransport> MakeSerialTransport();

} // namespace zeb40
