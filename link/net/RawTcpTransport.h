#pragma once
// "tcp://HOST:PORT": the unit's bytes as a plain TCP stream. The line
// settings are the server's (set there to 38400 baud, 8N1); purging discards
// what has arrived.

#include "link/net/SocketTransport.h"

namespace zeb40 {

class RawTcpTransport final : public SocketTransport {
  public:
    RawTcpTransport() : SocketTransport(false) {}
    ~RawTcpTransport() override { Close(); }

  protected:
    bool StartSession() override;
    void Decode(std::string_view raw) override { ReadQueue().append(raw); }
};

} // namespace zeb40
