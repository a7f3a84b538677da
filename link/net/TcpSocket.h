#pragma once
// A TCP connection with deadlines, over the platform's sockets (one
// implementation per system). Blocking calls never wait past the deadline
// they are given; nothing here prints.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace zeb40 {

class TcpSocket {
  public:
    using Clock = std::chrono::steady_clock;

    TcpSocket() = default;
    ~TcpSocket() { Close(); }
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Connects to the first address of host that answers before deadline,
    // with TCP_NODELAY and keep-alive probes a few seconds apart, so that a
    // server that vanishes is noticed within seconds. False with the reason
    // in LastError().
    bool Connect(const std::string& host, std::uint16_t port, Clock::time_point deadline);
    void Close();
    bool IsOpen() const { return handle_ != Invalid; }

    // Sends what the connection takes before deadline; the count sent.
    // Fewer on a timeout or when the connection failed (Closed() says which).
    std::size_t Send(const void* data, std::size_t count, Clock::time_point deadline);
    // Waits until something arrives or deadline passes, then reads what is
    // there, up to count: the count read, 0 on a timeout or an end.
    std::size_t Receive(void* buffer, std::size_t count, Clock::time_point deadline);
    // The bytes sent that the peer has not acknowledged yet; false where the
    // system does not tell.
    bool Unacknowledged(std::size_t& bytes) const;

    // True once the peer closed the connection or it failed.
    bool Closed() const { return closed_; }
    std::string LastError() const { return lastError_; }

  private:
    static constexpr std::intptr_t Invalid = -1;
    void Fail(std::string reason) {
        closed_ = true;
        lastError_ = std::move(reason);
    }

    std::intptr_t handle_ = Invalid;
    bool closed_ = false;
    std::string lastError_;
};

} // namespace zeb40
