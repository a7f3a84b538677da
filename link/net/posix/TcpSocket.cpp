#include "link/net/TcpSocket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/sockios.h>
#endif

namespace zeb40 {
namespace {

// Keep-alive: the first probe after this many seconds of silence, then one a
// second; three unanswered probes end the connection.
constexpr int KeepAliveIdleSeconds = 5;
constexpr int KeepAliveIntervalSeconds = 1;
constexpr int KeepAliveProbes = 3;
// Data the peer does not acknowledge for this long ends the connection too.
constexpr unsigned UnacknowledgedLimitMs = 8000;

int MillisecondsUntil(TcpSocket::Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TcpSocket::Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

void SetOption(int fd, int level, int name, int value) {
    // Only tunes how soon a dead peer is noticed; the connection works
    // without it.
    setsockopt(fd, level, name, &value, sizeof value);
}

// A reply often comes in pieces: a server without TCP_NODELAY (ser2net's
// default) holds back each piece after the first until this side has
// acknowledged the one before, and a delayed acknowledgement makes that 40 ms
// a piece. So every piece received is acknowledged at once.
void AcknowledgeAtOnce(int fd) {
#if defined(TCP_QUICKACK)
    SetOption(fd, IPPROTO_TCP, TCP_QUICKACK, 1);
#else
    (void)fd;
#endif
}

void TuneConnection(int fd) {
    SetOption(fd, IPPROTO_TCP, TCP_NODELAY, 1);
    AcknowledgeAtOnce(fd);
    SetOption(fd, SOL_SOCKET, SO_KEEPALIVE, 1);
#if defined(TCP_KEEPIDLE)
    SetOption(fd, IPPROTO_TCP, TCP_KEEPIDLE, KeepAliveIdleSeconds);
    SetOption(fd, IPPROTO_TCP, TCP_KEEPINTVL, KeepAliveIntervalSeconds);
    SetOption(fd, IPPROTO_TCP, TCP_KEEPCNT, KeepAliveProbes);
#endif
#if defined(TCP_USER_TIMEOUT)
    SetOption(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, static_cast<int>(UnacknowledgedLimitMs));
#endif
}

// Waits for the connection to complete; 0 when it did, else the error.
int AwaitConnection(int fd, TcpSocket::Clock::time_point deadline) {
    for (;;) {
        pollfd p{fd, POLLOUT, 0};
        int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return errno;
        if (ready == 0)
            return ETIMEDOUT;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            return errno;
        return error;
    }
}

} // namespace

bool TcpSocket::Connect(const std::string& host, std::uint16_t port, Clock::time_point deadline) {
    Close();
    closed_ = false;
    lastError_.clear();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (int error = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0) {
        lastError_ = error == EAI_SYSTEM ? std::strerror(errno) : gai_strerror(error);
        return false;
    }
    int lastErrno = ETIMEDOUT;
    for (addrinfo* address = found; address != nullptr; address = address->ai_next) {
        if (Clock::now() >= deadline)
            break;
        int fd = ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
                          address->ai_protocol);
        if (fd < 0) {
            lastErrno = errno;
            continue;
        }
        int error = 0;
        if (::connect(fd, address->ai_addr, address->ai_addrlen) != 0)
            error = errno == EINPROGRESS ? AwaitConnection(fd, deadline) : errno;
        if (error == 0) {
            TuneConnection(fd);
            handle_ = fd;
            break;
        }
        lastErrno = error;
        ::close(fd);
    }
    freeaddrinfo(found);
    if (handle_ == Invalid) {
        lastError_ = std::strerror(lastErrno);
        return false;
    }
    return true;
}

void TcpSocket::Close() {
    if (handle_ == Invalid)
        return;
    ::close(static_cast<int>(handle_));
    handle_ = Invalid;
}

std::size_t TcpSocket::Send(const void* data, std::size_t count, Clock::time_point deadline) {
    if (handle_ == Invalid || closed_)
        return 0;
    const int fd = static_cast<int>(handle_);
    const auto* bytes = static_cast<const char*>(data);
    std::size_t sent = 0;
    while (sent < count) {
        ssize_t n = ::send(fd, bytes + sent, count - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            Fail(std::strerror(errno));
            return sent;
        }
        pollfd p{fd, POLLOUT, 0};
        int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            lastError_ = std::strerror(ETIMEDOUT);
            return sent;
        }
    }
    return sent;
}

std::size_t TcpSocket::Receive(void* buffer, std::size_t count, Clock::time_point deadline) {
    if (handle_ == Invalid || closed_ || count == 0)
        return 0;
    const int fd = static_cast<int>(handle_);
    for (;;) {
        ssize_t n = ::recv(fd, buffer, count, 0);
        if (n > 0) {
            // The system falls back to delaying; it is asked again each time.
            AcknowledgeAtOnce(fd);
            return static_cast<std::size_t>(n);
        }
        if (n == 0) {
            Fail("the server closed the connection");
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            Fail(std::strerror(errno));
            return 0;
        }
        pollfd p{fd, POLLIN, 0};
        int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return 0;
    }
}

bool TcpSocket::Unacknowledged(std::size_t& bytes) const {
#if defined(SIOCOUTQ)
    int pending = 0;
    if (handle_ == Invalid || ioctl(static_cast<int>(handle_), SIOCOUTQ, &pending) != 0)
        return false;
    bytes = pending > 0 ? static_cast<std::size_t>(pending) : 0;
    return true;
#else
    (void)bytes;
    return false;
#endif
}

} // namespace zeb40
