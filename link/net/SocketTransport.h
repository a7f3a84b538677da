#pragma once
// What the two kinds of network port share: a TCP connection to a serial
// device server with the serial port's deadline rules.
//
// The network adds its own delay: the round trip, measured by the connection
// handshake while opening, is added to the wait for every awaited byte (the
// whole read and the gap between two bytes). A socket has no drain, so Drain
// waits until the server has acknowledged every byte and then until the
// server's line, at 38400 baud from the moment the bytes reached it, has
// carried them. Nothing is retried and nothing reconnects: a connection that
// ends is a lost line.

#include "link/ByteTransport.h"
#include "link/net/TcpSocket.h"

#include <chrono>
#include <string>
#include <string_view>

namespace zeb40 {

class SocketTransport : public ByteTransport {
  public:
    ~SocketTransport() override = default;

    // device is the whole port name ("rfc2217://HOST:PORT").
    bool Open(const std::string& device) final;
    void Close() final;
    bool IsOpen() const final { return open_; }

    std::size_t WriteSome(const void* data, std::size_t count, int timeoutMs) final;
    std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) final;
    bool Drain(int timeoutMs) final;
    bool Purge() override;

    bool Lost() const final { return lost_; }
    std::string LastError() const final { return socket_.LastError(); }
    std::string OpenFailureDetail() const final { return name_ + ": " + openFailure_; }

    // The round trip measured while opening.
    TcpSocket::Clock::duration RoundTrip() const { return roundTrip_; }

  protected:
    using Clock = TcpSocket::Clock;

    // escapeIac: 0xFF is doubled in everything sent (Telnet).
    explicit SocketTransport(bool escapeIac) : escapeIac_(escapeIac) {}

    // Brings the server's line into the unit's settings once connected;
    // false after FailOpen.
    virtual bool StartSession() = 0;
    // Runs while the connection still stands, before it closes.
    virtual void EndSession() {}
    // Turns what arrived into data for the read queue.
    virtual void Decode(std::string_view raw) = 0;

    // One receive, waiting until deadline; false when nothing came by then
    // or the connection ended.
    bool ReceiveOnce(Clock::time_point deadline);
    bool SendRaw(std::string_view raw, Clock::time_point deadline);
    // Discards what arrives until nothing has come for quiet (or limit has
    // passed); false when the connection ended meanwhile, the server's text
    // then still in the read queue.
    bool DiscardUntilQuiet(Clock::duration quiet, Clock::time_point limit);
    // Records why the open failed: what the server said before it closed
    // the connection, else reason.
    void FailOpen(const std::string& reason);
    bool ConnectionEnded() const { return socket_.Closed(); }
    // Data received and not yet read.
    std::string& ReadQueue() { return received_; }

  private:
    void NoteSent(std::size_t count);
    bool FlushUnsent(Clock::time_point deadline);

    const bool escapeIac_;
    TcpSocket socket_;
    std::string name_;
    std::string received_;
    std::string unsentRaw_; // the second half of a doubled 0xFF a timeout cut off
    std::string openFailure_;
    bool open_ = false;
    bool lost_ = false;
    Clock::duration roundTrip_{};
    Clock::time_point lineFreeAt_{};
};

} // namespace zeb40
